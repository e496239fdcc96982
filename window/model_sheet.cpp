// SPDX-License-Identifier: MIT
#include "window/model_sheet.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <span>
#include <vector>

#include "window/elements.h"
#include "window/text_forms.h"

namespace qzd::window {

namespace {

namespace e = window::elements;
using window::ElementId;

// An element of the window, or none where a row has nothing there.
using Cell = std::optional<ElementId>;
constexpr Cell kNone;

constexpr std::size_t kColumns = 6;
// Elements by column.
using Cells = std::array<Cell, kColumns>;

// The from/if/to part of a free-mixer row: its caption element, whose flag a model type sets and
// whose words stand before the three fields in its blank runs, the three fields, and the caption
// that names the row.
struct FreeMixerTail {
  ElementId caption;
  ElementId input;
  ElementId sw;
  ElementId destination;
  ElementId name;
};

// One line of a frame: the caption element left of the fields, the fields, and the caption
// element right of them.
struct SheetRow {
  Cell caption;
  Cells fields{};
  Cell note{};
  const FreeMixerTail* freeMixer = nullptr;
};

// A frame of the window in the sheet. The column captions are caption elements of the frame,
// except where the window has none and the sheet names the columns in its own words.
struct SheetFrame {
  ElementId frame;
  std::span<const Cells> columnCaptions;
  std::span<const std::string_view> columnsInOwnWords;
  std::span<const SheetRow> rows;
};

constexpr std::array<Cells, 2> kControlColumns = {{
    {e::Label42, kNone, e::Label43, kNone, e::Label44, kNone},
    {e::Label54, e::Label55, e::Label56, e::Label57, e::Label58, e::Label59},
}};
constexpr std::array<SheetRow, 9> kControlRows = {{
    {e::Label45, {e::drai1l, e::drai1h, e::drai2l, e::drai2h, e::drai3l, e::drai3h}},
    {e::Label46, {e::drel1l, e::drel1h, e::drel2l, e::drel2h, e::drel3l, e::drel3h}},
    {e::Label47, {e::drru1l, e::drru1h, e::drru2l, e::drru2h, e::drru3l, e::drru3h}},
    {e::Label13, {e::expai}},
    {e::Label14, {e::expel}},
    {e::Label15, {e::expru}},
    {e::Label48, {e::fixai1, kNone, e::fixai2, kNone, e::fixai3}},
    {e::Label49, {e::fixel1, kNone, e::fixel2, kNone, e::fixel3}},
    {e::Label50, {e::fixru1, kNone, e::fixru2, kNone, e::fixru3}},
}};

constexpr std::array<Cells, 1> kServoColumns = {{{e::Label4, e::Label5, kNone, e::Label6}}};
constexpr std::array<SheetRow, 7> kServoRows = {{
    {e::Label3, {e::sc1, e::stl1, e::stu1, e::sr1}},
    {e::Label7, {e::sc2, e::stl2, e::stu2, e::sr2}},
    {e::Label8, {e::sc3, e::stl3, e::stu3, e::sr3}},
    {e::Label9, {e::sc4, e::stl4, e::stu4, e::sr4}},
    {e::Label10, {e::sc5, e::stl5, e::stu5, e::sr5}},
    {e::Label11, {e::sc6, e::stl6, e::stu6, e::sr6}},
    {e::Label12, {e::sc7, e::stl7, e::stu7, e::sr7}},
}};

// Each phase's trims stand as a cross on the window, without captions: throttle and elevator
// above, rudder, the phase caption and aileron below. The sheet reads the cross in that order.
constexpr std::array<std::string_view, kColumns> kTrimColumns = {"TH", "EL", "RU", "AI"};
constexpr std::array<SheetRow, 3> kTrimRows = {{
    {e::Label61, {e::trimth1, e::trimel1, e::trimru1, e::trimai1}},
    {e::Label62, {e::trimth2, e::trimel2, e::trimru2, e::trimai2}},
    {e::Label63, {e::trimth3, e::trimel3, e::trimru3, e::trimai3}},
}};

constexpr std::array<FreeMixerTail, 3> kFreeMixerTails = {{
    {e::Label65, e::fmix1in, e::fmix1sw, e::fmix1dst, e::Label39},
    {e::Label66, e::fmix2in, e::fmix2sw, e::fmix2dst, e::Label40},
    {e::Label67, e::fmix3in, e::fmix3sw, e::fmix3dst, e::Label41},
}};

constexpr std::array<Cells, 1> kMixerColumns = {
    {{e::Label19, kNone, e::Label20, kNone, e::Label21, kNone}}};
constexpr std::array<SheetRow, 24> kMixerRows = {{
    {kNone, {e::mixths4}, e::Label16},
    {kNone, {e::mixcombi}, e::Label17},
    {kNone,
     {e::mixaiai1l, e::mixaiai1u, e::mixaiai2l, e::mixaiai2u, e::mixaiai3l, e::mixaiai3u},
     e::Label18},
    {kNone,
     {e::mixaif1l, e::mixaif1u, e::mixaif2l, e::mixaif2u, e::mixaif3l, e::mixaif3u},
     e::Label22},
    {kNone, {e::mixspai}, e::Label23},
    {kNone, {}, e::Label24},
    {kNone, {e::mixspf}, e::Label25},
    {kNone, {e::mixfail, e::mixfaiu}, e::Label26},
    {kNone, {e::mixffl, e::mixffu}, e::Label27},
    {kNone, {e::mixelail, e::mixelaiu}, e::Label28},
    {kNone, {e::mixelfl, e::mixelfu}, e::Label29},
    {kNone, {e::mixfixf1, kNone, e::mixfixf2, kNone, e::mixfixf3}, e::Label30},
    {kNone, {e::mixofsai}, e::Label31},
    {kNone, {e::mixofsf}, e::Label32},
    {kNone, {e::mixthco}, e::Label33},
    {kNone, {e::mixspco}, e::Label34},
    {kNone, {e::mixfcol, e::mixfcou}, e::Label35},
    {kNone, {e::mixvtail}, e::Label36},
    {kNone, {e::mixylead}, e::Label37},
    {kNone, {e::mixdeltal, e::mixdeltau}, e::Label38},
    {kNone, {e::mixais5}, e::Label68},
    {kNone,
     {e::fmix11l, e::fmix11u, e::fmix12l, e::fmix12u, e::fmix13l, e::fmix13u},
     {},
     &kFreeMixerTails[0]},
    {kNone,
     {e::fmix21l, e::fmix21u, e::fmix22l, e::fmix22u, e::fmix23l, e::fmix23u},
     {},
     &kFreeMixerTails[1]},
    {kNone,
     {e::fmix31l, e::fmix31u, e::fmix32l, e::fmix32u, e::fmix33l, e::fmix33u},
     {},
     &kFreeMixerTails[2]},
}};

constexpr std::array<SheetFrame, 4> kFrames = {{
    {e::GroupBox2, kControlColumns, {}, kControlRows},
    {e::GroupBox1, kServoColumns, {}, kServoRows},
    {e::GroupBox4, {}, kTrimColumns, kTrimRows},
    {e::GroupBox3, kMixerColumns, {}, kMixerRows},
}};

// The header line: each field after the caption that names it; `Mode` has none.
struct HeaderField {
  Cell caption;
  ElementId field;
};
constexpr std::array<HeaderField, 3> kHeaderBeforeType = {{
    {e::Label1, e::pos0},
    {e::Label64, e::thr},
    {e::Label2, e::pos1},
}};
constexpr std::array<HeaderField, 2> kHeaderAfterType = {
    {{kNone, e::Mode}, {e::Label60, e::phases}}};

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
  explicit SheetWriter(const window::WindowState& window) : window_(window) {}

  // The field's quoted text, or nothing when its flag is off or the row has no field there.
  [[nodiscard]] std::string Text(Cell element) const {
    if (!element || !window_.visible(*element)) return {};
    return Quoted(window_.text(*element));
  }

  // A caption element's text; nothing for no element.
  [[nodiscard]] std::string_view Caption(Cell element) const {
    return element ? std::string_view(window_.text(*element)) : std::string_view{};
  }

  [[nodiscard]] bool AnyVisible(const SheetRow& row) const {
    const auto visible = [&](Cell e) { return e && window_.visible(*e); };
    if (std::any_of(row.fields.begin(), row.fields.end(), visible)) return true;
    return row.freeMixer != nullptr &&
           (visible(row.freeMixer->input) || visible(row.freeMixer->sw) ||
            visible(row.freeMixer->destination));
  }

  [[nodiscard]] static bool HasFields(const SheetRow& row) {
    return row.freeMixer != nullptr ||
           std::any_of(row.fields.begin(), row.fields.end(), [](Cell e) { return e.has_value(); });
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
    add(Text(tail.input));
    add(std::string(words[1]));
    add(Text(tail.sw));
    add(std::string(words[2]));
    add(Text(tail.destination));
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
    if (window_.visible(e::helivar)) out += window_.text(e::helivar) + "\n";
    std::string line;
    const auto labelled = [&](const HeaderField& header) {
      std::string cell = Text(header.field);
      if (cell.empty()) return;
      if (!line.empty()) line += "   ";
      if (header.caption) {
        line += Caption(header.caption);
        line += ' ';
      }
      line += cell;
    };
    for (const HeaderField& header : kHeaderBeforeType) labelled(header);
    // The type pictures are the picture boxes of the window's top level, named by their picture.
    for (const ElementId element : window::ChildrenOf(window::MainWindowFacts().name)) {
      const window::ElementFacts& facts = element.facts();
      if (facts.kind != window::ElementKind::kPictureBox || !window_.visible(element)) continue;
      std::string name(facts.picture);
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
      for (std::size_t c = 0; c < kColumns; ++c)
        line.cells[c] = Caption(frame.columnCaptions[i][c]);
      lines.push_back(std::move(line));
    }
    if (!frame.columnsInOwnWords.empty()) {
      Line line{Caption(frame.frame), {}, {}};
      std::copy(frame.columnsInOwnWords.begin(), frame.columnsInOwnWords.end(), line.cells.begin());
      lines.push_back(std::move(line));
    }
    const std::size_t headingLines = lines.size();
    for (const SheetRow& row : frame.rows) {
      if (HasFields(row) && !AnyVisible(row)) continue;
      Line line{Caption(row.caption), {}, std::string(Caption(row.note))};
      for (std::size_t c = 0; c < kColumns; ++c) line.cells[c] = Text(row.fields[c]);
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
    for (std::size_t i = headingLines; i < lines.size(); ++i) {
      for (std::size_t c = 0; c < kColumns; ++c) {
        widths[c] = std::max(widths[c], lines[i].cells[c].size());
      }
    }
    for (std::size_t i = 0; i < headingLines; ++i) {
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
  const window::WindowState& window_;
};

}  // namespace

std::string RenderModelSheet(const window::WindowState& window, std::string_view filePath) {
  const SheetWriter writer(window);
  std::string out;
  writer.Header(out, filePath);
  for (const SheetFrame& frame : kFrames) writer.Frame(out, frame);
  return out;
}

}  // namespace qzd::window
