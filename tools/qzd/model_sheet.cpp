#include "tools/qzd/model_sheet.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "tools/qzd/text_forms.h"

namespace qzd::cli {

namespace {

constexpr std::size_t kColumns = 6;
using Cells = std::array<std::string_view, kColumns>;

// The from/if/to part of a free-mixer row: its caption element, whose flag a model type sets, the
// three fields that stand in the caption's blank runs, and the row's name.
struct FreeMixerTail {
  std::string_view caption;
  std::string_view input;
  std::string_view sw;
  std::string_view destination;
  std::string_view name;
};

struct SheetRow {
  std::string_view caption;  // left of the fields
  Cells fields{};            // element names by column; empty where the row has no field
  std::string_view note{};   // right of the fields
  const FreeMixerTail* freeMixer = nullptr;
};

struct SheetFrame {
  std::string_view title;
  std::span<const Cells> columnCaptions;
  std::span<const SheetRow> rows;
};

constexpr std::array<Cells, 2> kControlColumns = {{
    {"Phase 1", "", "Phase 2", "", "Phase 3", ""},
    {"DR1", "DR2", "DR1", "DR2", "DR1", "DR2"},
}};
constexpr std::array<SheetRow, 9> kControlRows = {{
    {"DR AI", {"drai1l", "drai1h", "drai2l", "drai2h", "drai3l", "drai3h"}},
    {"DR EL", {"drel1l", "drel1h", "drel2l", "drel2h", "drel3l", "drel3h"}},
    {"DR RU", {"drru1l", "drru1h", "drru2l", "drru2h", "drru3l", "drru3h"}},
    {"EXP AI", {"expai"}},
    {"EXP EL", {"expel"}},
    {"EXP RU", {"expru"}},
    {"FIX AI", {"fixai1", "", "fixai2", "", "fixai3"}},
    {"FIX EL", {"fixel1", "", "fixel2", "", "fixel3"}},
    {"FIX RU", {"fixru1", "", "fixru2", "", "fixru3"}},
}};

constexpr std::array<Cells, 1> kServoColumns = {{{"CENTR", "TRAVL", "", "REV"}}};
constexpr std::array<SheetRow, 7> kServoRows = {{
    {"1", {"sc1", "stl1", "stu1", "sr1"}},
    {"2", {"sc2", "stl2", "stu2", "sr2"}},
    {"3", {"sc3", "stl3", "stu3", "sr3"}},
    {"4", {"sc4", "stl4", "stu4", "sr4"}},
    {"5", {"sc5", "stl5", "stu5", "sr5"}},
    {"6", {"sc6", "stl6", "stu6", "sr6"}},
    {"7", {"sc7", "stl7", "stu7", "sr7"}},
}};

// Each phase's trims stand as a cross on the window: throttle and elevator above, rudder, the
// phase caption and aileron below. The sheet reads the cross in that order.
constexpr std::array<Cells, 1> kTrimColumns = {{{"TH", "EL", "RU", "AI"}}};
constexpr std::array<SheetRow, 3> kTrimRows = {{
    {"Ph1", {"trimth1", "trimel1", "trimru1", "trimai1"}},
    {"Ph2", {"trimth2", "trimel2", "trimru2", "trimai2"}},
    {"Ph3", {"trimth3", "trimel3", "trimru3", "trimai3"}},
}};

constexpr std::array<FreeMixerTail, 3> kFreeMixerTails = {{
    {"Label65", "fmix1in", "fmix1sw", "fmix1dst", "Free mix1"},
    {"Label66", "fmix2in", "fmix2sw", "fmix2dst", "Free mix2"},
    {"Label67", "fmix3in", "fmix3sw", "fmix3dst", "Free mix3"},
}};

constexpr std::array<Cells, 1> kMixerColumns = {{{"Phase 1", "", "Phase 2", "", "Phase 3", ""}}};
constexpr std::array<SheetRow, 24> kMixerRows = {{
    {"", {"mixths4"}, "->S4        Channel №4 assignment"},
    {"", {"mixcombi"}, "COMBI    Combi enable (coupled aileron and rudder)"},
    {"",
     {"mixaiai1l", "mixaiai1u", "mixaiai2l", "mixaiai2u", "mixaiai3l", "mixaiai3u"},
     "AI->AI      Aileron stik to aileron servos.Use to adjust aileron differential"},
    {"",
     {"mixaif1l", "mixaif1u", "mixaif2l", "mixaif2u", "mixaif3l", "mixaif3u"},
     "AI->F       Aileron stik to flap servos (flapperon).Use to adjust flap diff."},
    {"", {"mixspai"}, "SP->AI    Spoiler stik to aileron servos.Use to set up crown "},
    {"", {}, "               on the outer surfaces(aileron up). Enables auto diff suppression."},
    {"",
     {"mixspf"},
     "SP->F     Spoiler stik to flap servos.Crown on the inner surfaces (flaps down)."},
    {"", {"mixfail", "mixfaiu"}, "F->AI      Flap stick to aileron servos (outer surface camber)"},
    {"", {"mixffl", "mixffu"}, "F -> F     Flap lever to flap servos (inner surface camber)"},
    {"",
     {"mixelail", "mixelaiu"},
     "EL->AI    Elevator stick to aileron servos (outer surface snapflap)"},
    {"",
     {"mixelfl", "mixelfu"},
     "EL-> F    Elevator stick to flap servos (inner surface snapflap)"},
    {"",
     {"mixfixf1", "", "mixfixf2", "", "mixfixf3"},
     "FIX F      Flap preset - emulate fixed flap lever position"},
    {"", {"mixofsai"}, "OFS AI   Neutral offset for aileron servos"},
    {"", {"mixofsf"}, "OFS F    Neutral offset for flap servos"},
    {"", {"mixthco"}, "TH-CO   Throttle/elevator compensation"},
    {"", {"mixspco"}, "SP-CO   Spoiler/elevator compensation"},
    {"", {"mixfcol", "mixfcou"}, "F - CO    Flap/elevator compensation"},
    {"", {"mixvtail"}, "V-TAIL   Vtail mixer option"},
    {"", {"mixylead"}, "Y-LEAD  from channel number to channel 7"},
    {"", {"mixdeltal", "mixdeltau"}, "DELTA   Delta mixer enable"},
    {"", {"mixais5"}, "->S5       Channel №5 assignment"},
    {"",
     {"fmix11l", "fmix11u", "fmix12l", "fmix12u", "fmix13l", "fmix13u"},
     {},
     &kFreeMixerTails[0]},
    {"",
     {"fmix21l", "fmix21u", "fmix22l", "fmix22u", "fmix23l", "fmix23u"},
     {},
     &kFreeMixerTails[1]},
    {"",
     {"fmix31l", "fmix31u", "fmix32l", "fmix32u", "fmix33l", "fmix33u"},
     {},
     &kFreeMixerTails[2]},
}};

constexpr std::array<SheetFrame, 4> kFrames = {{
    {"CONTROL", kControlColumns, kControlRows},
    {"SERVO", kServoColumns, kServoRows},
    {"TRIM", kTrimColumns, kTrimRows},
    {"MIXER", kMixerColumns, kMixerRows},
}};

// The type pictures beside the type field, in the window's order.
struct TypePicture {
  std::string_view element;
  std::string_view name;
};
constexpr std::array<TypePicture, 3> kTypePictures = {{
    {"Image4", "[aeroplane]"},
    {"Image5", "[glider]"},
    {"Image6", "[helicopter]"},
}};

constexpr std::string_view kHeliWarning = "HELI not supported in this version!!!";
constexpr std::string_view kColumnGap = "  ";

class SheetWriter {
 public:
  explicit SheetWriter(const WindowModel& window) : window_(window) {}

  // The field's quoted text, or nothing when its flag is off or the row has no field there.
  [[nodiscard]] std::string Cell(std::string_view element) const {
    if (element.empty() || !window_.element(element).visible) return {};
    return Quoted(window_.element(element).text);
  }

  [[nodiscard]] bool AnyVisible(const SheetRow& row) const {
    const auto visible = [&](std::string_view e) {
      return !e.empty() && window_.element(e).visible;
    };
    if (std::any_of(row.fields.begin(), row.fields.end(), visible)) return true;
    return row.freeMixer != nullptr &&
           (visible(row.freeMixer->input) || visible(row.freeMixer->sw) ||
            visible(row.freeMixer->destination));
  }

  [[nodiscard]] bool HasFields(const SheetRow& row) const {
    return row.freeMixer != nullptr || std::any_of(row.fields.begin(), row.fields.end(),
                                                   [](std::string_view e) { return !e.empty(); });
  }

  // "from", the input, "if", the switch, "to", the destination and the name, each part only while
  // its element is visible.
  [[nodiscard]] std::string FreeMixerText(const FreeMixerTail& tail) const {
    const bool words = window_.element(tail.caption).visible;
    std::vector<std::string> parts;
    const auto add = [&](std::string part) {
      if (!part.empty()) parts.push_back(std::move(part));
    };
    add(words ? "from" : "");
    add(Cell(tail.input));
    add(words ? "if" : "");
    add(Cell(tail.sw));
    add(words ? "to" : "");
    add(Cell(tail.destination));
    add(std::string(tail.name));
    std::string text;
    for (const std::string& part : parts) {
      if (!text.empty()) text.push_back(' ');
      text += part;
    }
    return text;
  }

  void Header(std::string& out, std::string_view filePath) const {
    out += "file  " + Quoted(filePath) + "\n";
    if (window_.element("helivar").visible) out += std::string(kHeliWarning) + "\n";
    std::string line;
    const auto labelled = [&](std::string_view caption, std::string_view element) {
      std::string cell = Cell(element);
      if (cell.empty()) return;
      if (!line.empty()) line += "   ";
      if (!caption.empty()) {
        line += caption;
        line += ' ';
      }
      line += cell;
    };
    labelled("list number", "pos0");
    labelled("TH R", "thr");
    labelled("Type", "pos1");
    for (const TypePicture& picture : kTypePictures) {
      if (window_.element(picture.element).visible) {
        line += ' ';
        line += picture.name;
      }
    }
    labelled("", "Mode");
    labelled("Use PHASES", "phases");
    out += line + "\n";
  }

  void Frame(std::string& out, const SheetFrame& frame) const {
    struct Line {
      std::string_view caption;
      std::array<std::string, kColumns> cells;
      std::string note;
    };
    std::vector<Line> lines;
    for (std::size_t i = 0; i < frame.columnCaptions.size(); ++i) {
      Line line{i == 0 ? frame.title : std::string_view{}, {}, {}};
      for (std::size_t c = 0; c < kColumns; ++c) line.cells[c] = frame.columnCaptions[i][c];
      lines.push_back(std::move(line));
    }
    for (const SheetRow& row : frame.rows) {
      if (HasFields(row) && !AnyVisible(row)) continue;
      Line line{row.caption, {}, std::string(row.note)};
      for (std::size_t c = 0; c < kColumns; ++c) line.cells[c] = Cell(row.fields[c]);
      if (row.freeMixer != nullptr) line.note = FreeMixerText(*row.freeMixer);
      lines.push_back(std::move(line));
    }

    // A column caption followed by empty ones stands over all of those columns ("Phase 1" over
    // its lower and upper value), so it needs only the room of the columns together.
    std::size_t captionWidth = 0;
    std::array<std::size_t, kColumns> widths{};
    for (const Line& line : lines) {
      captionWidth = std::max(captionWidth, line.caption.size());
    }
    for (std::size_t i = frame.columnCaptions.size(); i < lines.size(); ++i) {
      for (std::size_t c = 0; c < kColumns; ++c) {
        widths[c] = std::max(widths[c], lines[i].cells[c].size());
      }
    }
    for (const Cells& captions : frame.columnCaptions) {
      for (std::size_t c = 0; c < kColumns; ++c) {
        if (captions[c].empty()) continue;
        std::size_t last = c;
        std::size_t room = widths[c];
        while (last + 1 < kColumns && captions[last + 1].empty() && widths[last + 1] > 0) {
          ++last;
          room += kColumnGap.size() + widths[last];
        }
        if (room < captions[c].size()) widths[last] += captions[c].size() - room;
      }
    }

    out += "\n";
    for (const Line& line : lines) {
      std::string text(line.caption);
      std::size_t start = captionWidth;
      const auto place = [&](std::string_view part) {
        text.resize(std::max(text.size(), start), ' ');
        text += part;
      };
      for (std::size_t c = 0; c < kColumns; ++c) {
        if (widths[c] == 0) continue;
        start += kColumnGap.size();
        place(line.cells[c]);
        start += widths[c];
      }
      if (!line.note.empty()) {
        start += kColumnGap.size();
        place(line.note);
      }
      text.erase(text.find_last_not_of(' ') + 1);
      out += text + "\n";
    }
  }

 private:
  const WindowModel& window_;
};

}  // namespace

std::string RenderModelSheet(const WindowModel& window, std::string_view filePath) {
  const SheetWriter writer(window);
  std::string out;
  writer.Header(out, filePath);
  for (const SheetFrame& frame : kFrames) writer.Frame(out, frame);
  return out;
}

}  // namespace qzd::cli
