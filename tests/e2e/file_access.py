#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Reads an `strace -f -y` log of the viewer and reports every file it changed, every entry of
/proc or /dev it opened as a file, and every place it looked for the settings Qt's file dialog
keeps (QtProject.conf). The viewer only reads model files; it creates, changes and deletes no
file, keeps no settings, and its open dialog lists a folder without opening what it lists.
Usage: file_access.py STRACE_LOG; prints one line per finding and exits 1 if there are any."""
import re
import sys

# Calls that change the file system when they succeed.
CHANGING = {"mkdir", "mkdirat", "rmdir", "unlink", "unlinkat", "rename", "renameat", "renameat2",
            "link", "linkat", "symlink", "symlinkat", "chmod", "fchmodat", "chown", "lchown",
            "fchownat", "truncate", "utime", "utimes", "utimensat", "futimesat", "mknod", "mknodat",
            "creat", "setxattr", "lsetxattr", "removexattr", "lremovexattr"}
WRITES = {"write", "writev", "pwrite64", "pwritev", "pwritev2"}
# Devices every program opens in passing; a listed entry is anything else right under /dev or /proc.
USUAL = {"/dev/null", "/dev/urandom", "/dev/random", "/dev/tty", "/dev/zero", "/proc/self",
         "/proc/thread-self"}

call = re.compile(r'^(?:\[pid\s+\d+\]\s+|\d+\s+)?(\w+)\((.*)\)\s+=\s+(-?\d+|\?)')
path = re.compile(r'"((?:[^"\\]|\\.)*)"')
# The descriptor written to and what it names; 1 and 2 are wherever the caller sent the output.
fd_path = re.compile(r'^\s*(?!(?:1|2)<)\d+<([^>]*)>')

findings = []
for line in open(sys.argv[1], errors="replace"):
    m = call.match(line)
    if not m:
        continue
    name, args, result = m.groups()
    ok = result not in ("?",) and not result.startswith("-")
    paths = path.findall(args)
    first = paths[0] if paths else ""
    if "QtProject.conf" in first and not first.startswith("/dev/null/"):
        findings.append("looked for Qt's settings: " + line.strip())
    if name in ("open", "openat", "openat2"):
        flags = args
        if ok and re.search(r"O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND", flags) \
                and not first.startswith(("/dev/", "/proc/")):
            findings.append("opened for writing: " + line.strip())
        if re.fullmatch(r"/(proc|dev)/[^/]+", first) and "O_DIRECTORY" not in flags \
                and first not in USUAL and not re.fullmatch(r"/proc/\d+", first):
            findings.append("opened a listed entry: " + line.strip())
    elif name in CHANGING and ok:
        findings.append("changed the file system: " + line.strip())
    elif name in WRITES:
        target = fd_path.match(args)
        if target and target.group(1).startswith("/") and not target.group(1).startswith("/dev/"):
            findings.append("wrote to a file: " + line.strip())

for f in findings:
    print(f)
sys.exit(1 if findings else 0)
