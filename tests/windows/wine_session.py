# SPDX-License-Identifier: MIT
"""What the Windows end-to-end tests share: a private X server, a Wine prefix of their own inside
the build tree (made once with wineboot, without the Mono and Gecko prompts), and the test helper
that reads the running window.

Every wait is for a condition, bounded in time; nothing sleeps a fixed time."""

import contextlib
import json
import os
import shutil
import subprocess
import tempfile
import time
from pathlib import Path

WINEBOOT_SECONDS = 180


def wine_program() -> str:
    wine = shutil.which("wine") or shutil.which("wine64")
    if wine is None:
        raise SystemExit("SKIP: wine is not installed (scripts/install-deps installs it)")
    return wine


def windows_path(path: Path) -> str:
    """The path by which a Windows program under Wine knows a file of this machine."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


@contextlib.contextmanager
def x_server(work: Path, screen: str = "1280x1024x24"):
    """A private X server with a screen of `screen` on a display number it picks itself, so that
    parallel runs never collide; DISPLAY points at it while the block runs."""
    if shutil.which("Xvfb") is None:
        raise SystemExit("SKIP: Xvfb is not installed (scripts/install-deps installs it)")
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen, "-nolisten", "tcp",
         "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=open(work / "xvfb.log", "wb"),
        stdin=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + 30
    with os.fdopen(read_end, "rb") as pipe:
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            chunk = pipe.read(1)
            if not chunk:
                break
            number += chunk
    if not number.strip():
        server.kill()
        raise SystemExit("FAIL: Xvfb did not start")
    previous = os.environ.get("DISPLAY")
    os.environ["DISPLAY"] = ":" + number.decode().strip()
    try:
        yield os.environ["DISPLAY"]
    finally:
        server.kill()
        server.wait()
        if previous is None:
            os.environ.pop("DISPLAY", None)
        else:
            os.environ["DISPLAY"] = previous


def run_program(command: list, env: dict, timeout: float, cwd=None) -> subprocess.CompletedProcess:
    """Runs a program to its end with its output in files, not pipes: the Wine server, desktop
    and services that a program's start brings up inherit its output handles and outlive it, so
    a pipe would never be closed and the caller would wait for their end instead of the
    program's."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        process = subprocess.Popen(command, env=env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=out,
                                   stderr=err)
        try:
            code = process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
            raise
        out.seek(0)
        err.seek(0)
        return subprocess.CompletedProcess(command, code, out.read(), err.read())


def wine_environment(prefix: Path) -> dict:
    env = dict(os.environ)
    env.update(WINEPREFIX=str(prefix), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
               WINEARCH="win64")
    return env


def boot_prefix(prefix: Path, fresh: bool = False) -> dict:
    """A Wine prefix made by one wineboot (kept for the next run unless `fresh`), and the
    environment that uses it."""
    prefix = Path(prefix).resolve()
    env = wine_environment(prefix)
    # Programs left in the prefix by an interrupted run would still be tied to its X server,
    # which is gone, and every new program of the prefix would wait on them.
    if prefix.exists():
        stop_prefix(env)
    if fresh and prefix.exists():
        shutil.rmtree(prefix)
    if not (prefix / "system.reg").exists():
        prefix.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run([wine_program(), "wineboot", "-i"], env=env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=WINEBOOT_SECONDS, check=False)
        wait_for_wineserver(env)
        if not (prefix / "system.reg").exists():
            raise SystemExit(f"FAIL: wineboot made no prefix in {prefix}")
    return env


def wait_for_wineserver(env: dict) -> None:
    """Until every program of the prefix has ended (wineboot's helpers write the registry
    last)."""
    subprocess.run(["wineserver", "-w"], env=env, timeout=WINEBOOT_SECONDS, check=False,
                   stdin=subprocess.DEVNULL)


def stop_prefix(env: dict) -> None:
    subprocess.run(["wineserver", "-k"], env=env, timeout=60, check=False,
                   stdin=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class Probe:
    """The test helper inside Wine, run once for each look or action."""

    def __init__(self, probe: Path, env: dict):
        self.probe = str(probe)
        self.env = env

    # Bounds for a machine busy with other builds: Wine's own start can take tens of seconds.
    def run(self, *args, timeout=180) -> subprocess.CompletedProcess:
        command = [wine_program(), self.probe, *map(str, args)]
        try:
            return run_program(command, self.env, timeout)
        except subprocess.TimeoutExpired:
            print(f"note: {' '.join(command)} did not end within {timeout} s", flush=True)
            return subprocess.CompletedProcess(command, 124, b"", b"")

    def window(self, wait_ms=30000, limit=None):
        result = self.run("window", wait_ms, timeout=limit or wait_ms / 1000 + 180)
        return json.loads(result.stdout) if result.returncode == 0 else None

    def box(self, wait_ms=10000):
        result = self.run("box", wait_ms, timeout=wait_ms / 1000 + 180)
        return json.loads(result.stdout) if result.returncode == 0 else None

    def wait_window(self, check, seconds=20):
        """The window's state once `check` holds for it, or the last state seen."""
        deadline = time.monotonic() + seconds
        state = None
        while time.monotonic() < deadline:
            state = self.window()
            if state is not None and check(state):
                return state, True
        return state, False
