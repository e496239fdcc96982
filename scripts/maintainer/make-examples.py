#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the sample model files in examples/: one model of each type, set up as a pilot would.

Run from anywhere: python3 scripts/maintainer/make-examples.py. The files are checked in; run this again only
when a sample is meant to change, then regenerate the golden JSON of the tool tests
(scripts/maintainer/update-golden.sh).
"""

from pathlib import Path

SLOT_COUNT = 301
EASY, GLIDER, ACRO, HELI = 0, 1, 2, 3

# Channel codes as the transmitter stores them (index into the function names).
CHANNEL = {"-": 0, "AI": 1, "EL": 2, "RU": 3, "TH": 4, "SP": 5, "F": 6, "PH": 7}

# Switch codes: switch 1 to 4 lever down, +64 lever up, 36 the middle position of switch 4.
SWITCH = {
    "none": 0,
    "CS/A-ROT down": 1, "D-R down": 2, "SNAP/DTC down": 3, "PH/AUX2 down": 4,
    "PH/AUX2 middle": 36,
    "CS/A-ROT up": 65, "D-R up": 66, "SNAP/DTC up": 67, "PH/AUX2 up": 68,
}

# Expo settings have their own codes: 0 is off, 246 to 255 are -100 to -10 in steps of 10.
EXPO = {0: 0, **{-10 * n: 256 - n for n in range(1, 11)}}

AXIS_BLOCK = {"AI": 142, "EL": 161, "RU": 180}
THROTTLE_TRIMS = 199
FREE_MIXER_BLOCK = {1: 203, 2: 214, 3: 225}

# Slots of the built-in mixers: one slot, a lower/upper pair, or per phase.
MIXER_SLOT = {"->S4": 9, "COMBI": 10, "OFS AI": 16, "OFS F": 17, "SP->AI": 18, "SP->F": 39,
              "TH-CO": 60, "SP-CO": 63, "V-TAIL": 74, "Y-LEAD": 75, "->S5": 77}
MIXER_PAIR = {"F->AI": 27, "EL->AI": 33, "F->F": 48, "EL->F": 54, "F-CO": 66, "DELTA": 72}
MIXER_PHASE_PAIRS = {"AI->AI": 21, "AI->F": 42}
FIX_F = 13


def code(value):
    """The byte code of a signed setting: 0 to 145 as they are, -110 to -1 as 256 + value."""
    if not -110 <= value <= 145:
        raise ValueError(f"{value} has no byte code")
    return value if value >= 0 else 256 + value


class Model:
    def __init__(self, list_number, model_type, stick_mode=2, phases=0, throttle_r=0):
        self.slots = [0] * SLOT_COUNT
        self.slots[0] = list_number
        self.slots[1] = model_type
        self.slots[8] = code(phases)
        self.slots[96] = stick_mode - 1
        self.slots[97] = code(throttle_r)
        for channel in range(1, 8):
            self.servo(channel)

    def servo(self, channel, centre=0, lower=100, upper=100, reverse=0):
        block = 98 + 4 * (channel - 1)
        self.slots[block:block + 4] = [code(reverse), code(lower), code(centre), code(upper)]

    def axis(self, name, expo, rates, fix=(0, 0, 0), trims=(0, 0, 0)):
        """rates: one (DR1, DR2) pair per flight phase."""
        block = AXIS_BLOCK[name]
        self.slots[block] = EXPO[expo]
        for phase, (dr1, dr2) in enumerate(rates, start=1):
            self.slots[block + 2 + 2 * phase] = code(dr1)
            self.slots[block + 3 + 2 * phase] = code(dr2)
        for phase in range(3):
            self.slots[block + 12 + phase] = code(fix[phase])
            self.slots[block + 15 + phase] = code(trims[phase])

    def throttle_trims(self, trims):
        for phase in range(3):
            self.slots[THROTTLE_TRIMS + phase] = code(trims[phase])

    def channel_assignment(self, mixer, function):
        self.slots[MIXER_SLOT[mixer]] = CHANNEL[function]

    def mixer(self, name, value):
        self.slots[MIXER_SLOT[name]] = code(value)

    def pair(self, name, lower, upper):
        self.slots[MIXER_PAIR[name]:MIXER_PAIR[name] + 2] = [code(lower), code(upper)]

    def phase_pairs(self, name, pairs):
        base = MIXER_PHASE_PAIRS[name]
        for phase, (lower, upper) in enumerate(pairs):
            self.slots[base + 2 * phase:base + 2 * phase + 2] = [code(lower), code(upper)]

    def flap_presets(self, presets):
        self.slots[FIX_F:FIX_F + 3] = [code(p) for p in presets]

    def free_mixer(self, number, source, switch, destination, pairs):
        block = FREE_MIXER_BLOCK[number]
        self.slots[block] = SWITCH[switch]
        self.slots[block + 1] = CHANNEL[source]
        self.slots[block + 2] = code(destination)
        for phase, (lower, upper) in enumerate(pairs):
            self.slots[block + 3 + 2 * phase:block + 5 + 2 * phase] = [code(lower), code(upper)]

    def write(self, path, line_end):
        path.write_bytes("".join(f"{v}{line_end}" for v in self.slots).encode("ascii"))


def trainer():
    """A high-wing trainer: one aileron servo, gentle rates, combi for coordinated turns."""
    m = Model(1, EASY)
    m.servo(2, centre=3)
    m.servo(3, lower=95, upper=100, reverse=1)
    m.axis("AI", -30, [(100, 70)] * 3, trims=(2, 2, 2))
    m.axis("EL", -20, [(100, 75)] * 3, trims=(-3, -3, -3))
    m.axis("RU", 0, [(100, 80)] * 3, trims=(1, 1, 1))
    m.channel_assignment("->S4", "RU")
    m.channel_assignment("->S5", "AI")
    m.mixer("COMBI", 6)
    m.phase_pairs("AI->AI", [(100, 70)] * 3)
    m.mixer("TH-CO", 5)
    m.pair("F-CO", 5, 0)
    m.free_mixer(1, "TH", "CS/A-ROT up", 2, [(-5, 0)] * 3)
    return m


def glider():
    """A four-servo glider: launch, speed and thermal phases, flaperons, crow braking."""
    m = Model(2, GLIDER, phases=1)
    m.servo(5, reverse=1)
    m.servo(6, centre=-4, lower=90, upper=100)
    m.servo(7, centre=4, lower=100, upper=90, reverse=1)
    m.axis("AI", -30, [(100, 75), (80, 60), (100, 80)], fix=(0, -5, 8), trims=(0, 0, 1))
    m.axis("EL", -20, [(100, 70), (90, 60), (100, 70)], trims=(2, -4, 5))
    m.axis("RU", -10, [(100, 80)] * 3, trims=(1, 1, 1))
    m.channel_assignment("->S4", "SP")
    m.channel_assignment("->S5", "F")
    m.phase_pairs("AI->AI", [(100, 50), (100, 40), (100, 60)])
    m.phase_pairs("AI->F", [(50, 30), (40, 20), (60, 40)])
    m.mixer("SP->AI", 35)
    m.mixer("SP->F", 40)
    m.pair("F->AI", 30, 30)
    m.pair("F->F", 100, 100)
    m.pair("EL->AI", 10, 10)
    m.pair("EL->F", 15, 15)
    m.flap_presets([0, -10, 15])
    m.mixer("SP-CO", -20)
    m.pair("F-CO", 10, 5)
    m.free_mixer(1, "AI", "D-R up", 4, [(25, 25), (0, 0), (30, 30)])
    m.free_mixer(2, "SP", "PH/AUX2 middle", 2, [(-15, -15)] * 3)
    m.free_mixer(3, "F", "SNAP/DTC down", 6, [(20, 20)] * 3)
    return m


def acro():
    """A pattern aerobatic model: two aileron servos, stiff expo, knife-edge mixers on a switch."""
    m = Model(3, ACRO)
    m.servo(4, reverse=1)
    m.servo(5, centre=-2, reverse=1)
    m.axis("AI", -40, [(100, 60)] * 3, trims=(-1, -1, -1))
    m.axis("EL", -30, [(100, 65)] * 3, trims=(1, 1, 1))
    m.axis("RU", -30, [(100, 70)] * 3)
    m.throttle_trims((2, 2, 2))
    m.channel_assignment("->S4", "RU")
    m.channel_assignment("->S5", "AI")
    m.phase_pairs("AI->AI", [(100, 90)] * 3)
    m.pair("EL->AI", 5, 5)
    m.mixer("TH-CO", 3)
    m.free_mixer(1, "RU", "SNAP/DTC up", 2, [(5, -5)] * 3)
    m.free_mixer(2, "RU", "SNAP/DTC up", 1, [(-8, -8)] * 3)
    m.free_mixer(3, "TH", "CS/A-ROT down", 2, [(3, 0)] * 3)
    return m


def heli():
    """A collective-pitch helicopter: normal, idle-up and hold phases, revo mixing."""
    m = Model(4, HELI, phases=1)
    m.servo(4, reverse=1)
    m.servo(6, centre=5, lower=80, upper=80)
    m.axis("AI", -30, [(100, 70), (100, 80), (100, 80)])
    m.axis("EL", -30, [(100, 70), (100, 80), (100, 80)], trims=(2, 2, 2))
    m.axis("RU", -20, [(100, 80)] * 3, trims=(-2, -2, -2))
    m.channel_assignment("->S4", "RU")
    m.channel_assignment("->S5", "PH")
    m.free_mixer(1, "TH", "CS/A-ROT down", 4, [(10, 10), (0, 0), (0, 0)])
    m.free_mixer(2, "PH", "PH/AUX2 middle", 6, [(-20, 20)] * 3)
    m.free_mixer(3, "AI", "D-R down", 3, [(5, 5)] * 3)
    return m


SAMPLES = [
    ("trainer-easy.qzd", trainer, "\r\n"),
    ("glider.qzd", glider, "\n"),
    ("acro.qzd", acro, "\r\n"),
    ("heli.qzd", heli, "\n"),
]


def main():
    examples = Path(__file__).resolve().parents[2] / "examples"
    examples.mkdir(exist_ok=True)
    for name, build, line_end in SAMPLES:
        build().write(examples / name, line_end)
        print(examples / name)


if __name__ == "__main__":
    main()
