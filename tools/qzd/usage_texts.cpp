// SPDX-License-Identifier: MIT
#include "tools/qzd/usage_texts.h"

namespace qzd::cli {

const std::string_view kGeneralHelp = R"(Usage: qzd SUBCOMMAND [OPTION]... FILE...

Reads Tarnell QZ model files (.qzd) exactly as the viewer does, without a window, so that a
model can be read, checked, compared and scripted.

Subcommands:
  json FILE...       one JSON line per file: its load failure, or the fill's actions
  show FILE...       the model sheet, laid out like the viewer's window
  diff [--all] A B   the fields in which two model files differ
  help SUBCOMMAND    explain one subcommand

Options:
  -h, --help         this text; after a subcommand, that subcommand's text
  --version          the tool's name and version
  --                 end of options: every later argument is a file

json and show load their files in order into one store that starts all zero, exactly like
successive loads in one run of the viewer: a load that fails keeps the slots it had already
written, and no fill runs after it. diff loads each of its two files into a store of its own.

Exit status:
  0  json, show: every load and fill completed.    diff: the files hold the same 301 values.
  1  json, show: a load failed or a fill stopped.  diff: the files differ.
  2  a usage error or output that cannot be written; for diff also a file that cannot be loaded.
A reader that stops early (qzd json ... | head -c1) ends qzd by SIGPIPE, as any command: no
message, and the shell's status 141. Where SIGPIPE is ignored, the status is 2, without a message.
)";

const std::string_view kJsonHelp = R"(Usage: qzd json [--] FILE...

Loads each FILE in turn into one store (see qzd --help) and prints one line per file, a JSON
object with these keys in this order:
  "file"        the path as given (see File names below)
  "load_error"  null, or the load failure's message as the reader gives it, without the final
                period of the viewer's error box: "File not found",
                "'12 ' is not a valid integer value", ...
  "actions"     null when the load failed; otherwise the fill's actions in order, each one of
                ["set", NAME, TEXT], ["show", NAME] or ["hide", NAME], NAME being the window
                element (pos0, pos1, Image4, fixai1, fmix1sw, ...)
  "stop"        null, or "Integer overflow" or "Range check error" when the fill ended early;
                "actions" then holds the actions before the failing field

Every byte of a message or field text is written as the character of the same code: byte 0 as
\u0000, byte 233 as \u00e9. The output is plain ASCII. Failures are reported in the output
only, not on stderr.

File names: a name that is valid UTF-8 is written as its characters (\u00e8 for an e with a
grave accent). Each byte that is not part of valid UTF-8, always 80 to ff, is written as \udcXX
with XX its code in hexadecimal, so the byte ff is \udcff. Valid UTF-8 never gives these
escapes, so two different names never print alike. This is Python's "surrogateescape":
os.fsencode(json.loads(line)["file"]) gives the name's bytes back. Some JSON readers refuse
such a lone escape or replace it with U+FFFD.

Exit status: 0 when every load and fill completed, 1 when any load failed or any fill stopped,
2 for a usage error or when the output cannot be written.

Example:
  qzd json examples/glider.qzd | jq -c '.actions[] | select(.[1] == "pos1")'
)";

const std::string_view kShowHelp = R"(Usage: qzd show [--] FILE...

Loads each FILE in turn into one store (see qzd --help), fills the window after every complete
load, and prints the model sheet of the window as the last load leaves it: the path, the header
(list number, TH R, type with its pictures, stick mode, Use PHASES), then CONTROL, SERVO, TRIM
and MIXER with the three free mixers, in the window's order and with its captions.

Texts stand between double quotes, so that their blanks stay visible; a quote or backslash in a
text is written as \" or \\, and a byte outside printable ASCII as \xhh.

Fields that the model type hides are left out, and so is a row whose fields are all hidden.
Visibility carries over from fill to fill as in the window, which starts with every field
visible: HELI and unlisted types set only some flags, so a HELI model shown after a GLIDER model
keeps the fields that GLIDER hides hidden.

A load failure or a fill stop goes to stderr, with a final period as in the viewer's error box.
After a stop, the fields from the failing one on keep what the previous fill left (empty before
the first fill). Nothing is printed on stdout when no fill ran.

Exit status: 0 when every load and fill completed, 1 when any load failed or any fill stopped,
2 for a usage error or when the output cannot be written.
)";

const std::string_view kDiffHelp = R"(Usage: qzd diff [--all] [--] A B

Loads A and B, each into a fresh store and a fresh window, fills both, and lists every display
field whose text or visibility differs, by what the field shows, with both values:
  --- A
  +++ B
  DR AI, Phase 1, DR2: "70" -> "60"
  FIX AI, Phase 1: "0" (hidden) -> "0"
The last line counts the differing fields and the differing loaded slots that no field shows,
so two files that look the same but are not never pass as equal.

Options:
  --all   before the count, list each differing slot that no field shows: "slot 2: 0 -> 7"

A fill that stops is reported on stderr, with a final period; the comparison still runs on the
window that the stopped fill leaves.

Exit status, as with diff(1): 0 when A and B hold the same 301 values, 1 when they differ, 2 for
a usage error, when either file cannot be loaded (the failure goes to stderr) or when the output
cannot be written.
)";

const std::string_view kVersionText = "qzd " QZD_VERSION "\n";

}  // namespace qzd::cli
