// SPDX-License-Identifier: MIT
#include "tools/qzd/model_sheet.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <span>
#include <vector>

#include "tools/qzd/text_forms.h"

namespace qzd::cli {

namespace {

constexpr std::size_t kColumns = 6;
// Element names by column; empty where the row has nothing there.
using Cells = std::array<std::string_view, kColumns>;

// The from/if/to part of a free-mixer row: its caption element, whose flag a model type sets and
// whose words stand before the three fields in its blank runs, the three fields, and the caption
// that names the row.
struct FreeMixerTail {
  std::string_view caption;
  std::string_view input;
  std::string_view sw;
  std::string_view destination;
  std::string_view name;
};

// One line of a frame: the caption element left of the fields, the fields, and the caption
// element right of them.
struct SheetRow {
  std::string_view caption;
  Cells fields{};
  std::string_view note{};
  const FreeMixerTail* freeMixer = nullptr;
};

// A frame of the window in the sheet. The column captions are caption elements of the frame,
// except where the window has none and the sheet names the columns in its own words.
struct SheetFrame {
  std::string_view frame;
  std::span<const Cells> columnCaptions;
  bool columnsInOwnWords;
  std::span<const SheetRow> rows;
};

constexpr std::array<Cells, 2> kControlColumns = {{
    {"Label42", "", "Label43", "", "Label44", ""},
    {"Label54", "Label55", "Label56", "Label57", "Label58", "Label59"},
}};
constexpr std::array<SheetRow, 9> kControlRows = {{
    {"Label45", {"drai1l", "drai1h", "drai2l", "drai2h", "drai3l", "drai3h"}},
    {"Label46", {"drel1l", "drel1h", "drel2l", "drel2h", "drel3l", "drel3h"}},
    {"Label47", {"drru1l", "drru1h", "drru2l", "drru2h", "drru3l", "drru3h"}},
    {"Label13", {"expai"}},
    {"Label14", {"expel"}},
    {"Label15", {"expru"}},
    {"Label48", {"fixai1", "", "fixai2", "", "fixai3"}},
    {"Label49", {"fixel1", "", "fixel2", "", "fixel3"}},
    {"Label50", {"fixru1", "", "fixru2", "", "fixru3"}},
}};

constexpr std::array<Cells, 1> kServoColumns = {{{"Label4", "Label5", "", "Label6"}}};
constexpr std::array<SheetRow, 7> kServoRows = {{
    {"Label3", {"sc1", "stl1", "stu1", "sr1"}},
    {"Label7", {"sc2", "stl2", "stu2", "sr2"}},
    {"Label8", {"sc3", "stl3", "stu3", "sr3"}},
    {"Label9", {"sc4", "stl4", "stu4", "sr4"}},
    {"Label10", {"sc5", "stl5", "stu5", "sr5"}},
    {"Label11", {"sc6", "stl6", "stu6", "sr6"}},
    {"Label12", {"sc7", "stl7", "stu7", "sr7"}},
}};

// Each phase's trims stand as a cross on the window, without captions: throttle and elevator
// above, rudder, the phase caption and aileron below. The sheet reads the cross in that order.
constexpr std::array<Cells, 1> kTrimColumns = {{{"TH", "EL", "RU", "AI"}}};
constexpr std::array<SheetRow, 3> kTrimRows = {{
    {"Label61", {"trimth1", "trimel1", "trimru1", "trimai1"}},
    {"Label62", {"trimth2", "trimel2", "trimru2", "trimai2"}},
    {"Label63", {"trimth3", "trimel3", "trimru3", "trimai3"}},
}};

constexpr std::array<FreeMixerTail, 3> kFreeMixerTails = {{
    {"Label65", "fmix1in", "fmix1sw", "fmix1dst", "Label39"},
    {"Label66", "fmix2in", "fmix2sw", "fmix2dst", "Label40"},
    {"Label67", "fmix3in", "fmix3sw", "fmix3dst", "Label41"},
}};

constexpr std::array<Cells, 1> kMixerColumns = {{{"Label19", "", "Label20", "", "Label21", ""}}};
constexpr std::array<SheetRow, 24> kMixerRows = {{
    {"", {"mixths4"}, "Label16"},
    {"", {"mixcombi"}, "Label17"},
    {"", {"mixaiai1l", "mixaiai1u", "mixaiai2l", "mixaiai2u", "mixaiai3l", "mixaiai3u"}, "Label18"},
    {"", {"mixaif1l", "mixaif1u", "mixaif2l", "mixaif2u", "mixaif3l", "mixaif3u"}, "Label22"},
    {"", {"mixspai"}, "Label23"},
    {"", {}, "Label24"},
    {"", {"mixspf"}, "Label25"},
    {"", {"mixfail", "mixfaiu"}, "Label26"},
    {"", {"mixffl", "mixffu"}, "Label27"},
    {"", {"mixelail", "mixelaiu"}, "Label28"},
    {"", {"mixelfl", "mixelfu"}, "Label29"},
    {"", {"mixfixf1", "", "mixfixf2", "", "mixfixf3"}, "Label30"},
    {"", {"mixofsai"}, "Label31"},
    {"", {"mixofsf"}, "Label32"},
    {"", {"mixthco"}, "Label33"},
    {"", {"mixspco"}, "Label34"},
    {"", {"mixfcol", "mixfcou"}, "Label35"},
    {"", {"mixvtail"}, "Label36"},
    {"", {"mixylead"}, "Label37"},
    {"", {"mixdeltal", "mixdeltau"}, "Label38"},
    {"", {"mixais5"}, "Label68"},
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
    {"GroupBox2", kControlColumns, false, kControlRows},
    {"GroupBox1", kServoColumns, false, kServoRows},
    {"GroupBox4", kTrimColumns, true, kTrimRows},
    {"GroupBox3", kMixerColumns, false, kMixerRows},
}};

// The header line: each field after the caption that names it; `Mode` has none.
struct HeaderField {
  std::string_view caption;
  std::string_view field;
};
constexpr std::array<HeaderField, 3> kHeaderBeforeType = {{
    {"Label1", "pos0"},
    {"Label64", "thr"},
    {"Label2", "pos1"},
}};
constexpr std::array<HeaderField, 2> kHeaderAfterType = {{{"", "Mode"}, {"Label60", "phases"}}};
constexpr std::string_view kHeliWarning = "helivar";

constexpr std::string_view kColumnGap = "  ";

// The blank-separated words of a caption ("from", "if", "to").
std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while ((at = text.find_first_not_of(' ', at)) != std::string_view::npos) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    words.push_back(text.substr(at, end - at));
    at = end;
  }
  return words;
}

class SheetWriter {
 public:
  explicit SheetWriter(const viewer::WindowState& window) : window_(window) {}

  // The field's quoted text, or nothing when its flag is off or the row has no field there.
  [[nodiscard]] std::string Cell(std::string_view element) const {
    if (element.empty() || !window_.visible(element)) return {};
    return Quoted(window_.text(element));
  }

  // A caption element's text; nothing for no element.
  [[nodiscard]] std::string_view Caption(std::string_view element) const {
    return element.empty() ? std::string_view{} : std::string_view(window_.text(element));
  }

  [[nodiscard]] bool AnyVisible(const SheetRow& row) const {
    const auto visible = [&](std::string_view e) { return !e.empty() && window_.visible(e); };
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
    std::vector<std::string_view> words;
    if (window_.visible(tail.caption)) words = Words(Caption(tail.caption));
    words.resize(3);
    std::vector<std::string> parts;
    const auto add = [&](std::string part) {
      if (!part.empty()) parts.push_back(std::move(part));
    };
    add(std::string(words[0]));
    add(Cell(tail.input));
    add(std::string(words[1]));
    add(Cell(tail.sw));
    add(std::string(words[2]));
    add(Cell(tail.destination));
    add(std::string(Caption(tail.name)));
    std::string text;
    for (const std::string& part : parts) {
      if (!text.empty()) text.push_back(' ');
      text += part;
    }
    return text;
  }

  void Header(std::string& out, std::string_view filePath) const {
    out += "file  " + Quoted(filePath) + "\n";
    if (window_.visible(kHeliWarning)) out += window_.text(kHeliWarning) + "\n";
    std::string line;
    const auto labelled = [&](const HeaderField& header) {
      std::string cell = Cell(header.field);
      if (cell.empty()) return;
      if (!line.empty()) line += "   ";
      if (!header.caption.empty()) {
        line += Caption(header.caption);
        line += ' ';
      }
      line += cell;
    };
    for (const HeaderField& header : kHeaderBeforeType) labelled(header);
    // The type pictures are the picture boxes of the window's top level, named by their picture.
    for (const viewer::ElementFacts* element : viewer::ChildrenOf(viewer::MainWindowFacts().name)) {
      if (element->kind != viewer::ElementKind::kPictureBox || !window_.visible(element->name)) {
        continue;
      }
      std::string name(element->picture);
      std::transform(name.begin(), name.end(), name.begin(),
                     [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
      line += " [" + name + "]";
    }
    for (const HeaderField& header : kHeaderAfterType) labelled(header);
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
      Line line{i == 0 ? Caption(frame.frame) : std::string_view{}, {}, {}};
      for (std::size_t c = 0; c < kColumns; ++c) {
        const std::string_view column = frame.columnCaptions[i][c];
        line.cells[c] = frame.columnsInOwnWords ? column : Caption(column);
      }
      lines.push_back(std::move(line));
    }
    for (const SheetRow& row : frame.rows) {
      if (HasFields(row) && !AnyVisible(row)) continue;
      Line line{Caption(row.caption), {}, std::string(Caption(row.note))};
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
    for (std::size_t i = 0; i < frame.columnCaptions.size(); ++i) {
      const std::array<std::string, kColumns>& captions = lines[i].cells;
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
  const viewer::WindowState& window_;
};

}  // namespace

std::string RenderModelSheet(const viewer::WindowState& window, std::string_view filePath) {
  const SheetWriter writer(window);
  std::string out;
  writer.Header(out, filePath);
  for (const SheetFrame& frame : kFrames) writer.Frame(out, frame);
  return out;
}

}  // namespace qzd::cli
