// SPDX-License-Identifier: MIT
// Every element of the main window against one table: name, kind, parent, place, size, caption
// and creation order, and what follows from the order: stacking and keyboard order.
#include <QFontMetrics>
#include <QPushButton>
#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <vector>

#include "viewer/widgets/caption.h"
#include "viewer/widgets/display_field.h"
#include "viewer/widgets/frame.h"
#include "viewer/widgets/picture_box.h"
#include "viewer/widgets/separator.h"
#include "window_test_support.h"

namespace qzd::viewer::testing {
namespace {

enum class K { kFrame, kCaption, kField, kButton, kPicture, kLine };

// A caption is as wide as its text and as high as the font's line.
constexpr int kToText = -1;

struct Expected {
  std::string_view name;
  K kind;
  std::string_view parent;
  int x, y, w, h;
  std::string_view caption;
};

// In creation order within each container: the window level in the order of the layout, a frame
// followed by what it holds.
constexpr auto kLayout = std::to_array<Expected>({
    {"Label1", K::kCaption, "mainForm", 16, 72, kToText, kToText, "list number"},
    {"Label2", K::kCaption, "mainForm", 296, 64, kToText, kToText, "Type"},
    {"Label60", K::kCaption, "mainForm", 616, 64, kToText, kToText, "Use PHASES"},
    {"Label64", K::kCaption, "mainForm", 112, 72, kToText, kToText, "TH R"},
    {"helivar", K::kCaption, "mainForm", 296, 48, kToText, kToText,
     "HELI not supported in this version!!!"},
    {"Image4", K::kPicture, "mainForm", 384, 64, 49, 25, ""},
    {"Image5", K::kPicture, "mainForm", 432, 64, 49, 25, ""},
    {"Image6", K::kPicture, "mainForm", 480, 64, 49, 25, ""},
    {"GroupBox7", K::kFrame, "mainForm", 296, 96, 609, 441, "Heli"},
    {"Image3", K::kPicture, "GroupBox7", 8, 16, 593, 233, ""},
    {"GroupBox6", K::kFrame, "mainForm", 296, 96, 609, 441, "Mode"},
    {"Image2", K::kPicture, "GroupBox6", 8, 16, 305, 409, ""},
    {"GroupBox5", K::kFrame, "mainForm", 296, 96, 609, 441, "Servo Connection"},
    {"Image1", K::kPicture, "GroupBox5", 8, 16, 593, 401, ""},
    {"open", K::kButton, "mainForm", 432, 24, 65, 20, "load model"},
    {"FilePath", K::kField, "mainForm", 24, 24, 393, 20, ""},
    {"pos0", K::kField, "mainForm", 72, 72, 17, 17, ""},
    {"pos1", K::kField, "mainForm", 328, 64, 49, 17, ""},
    {"GroupBox1", K::kFrame, "mainForm", 16, 336, 161, 161, "SERVO"},
    {"Label4", K::kCaption, "GroupBox1", 16, 16, kToText, kToText, "CENTR"},
    {"Label5", K::kCaption, "GroupBox1", 72, 16, kToText, kToText, "TRAVL"},
    {"Label6", K::kCaption, "GroupBox1", 128, 16, kToText, kToText, "REV"},
    {"Label3", K::kCaption, "GroupBox1", 8, 32, kToText, kToText, "1"},
    {"Label7", K::kCaption, "GroupBox1", 8, 48, kToText, kToText, "2"},
    {"Label8", K::kCaption, "GroupBox1", 8, 64, kToText, kToText, "3"},
    {"Label9", K::kCaption, "GroupBox1", 8, 80, kToText, kToText, "4"},
    {"Label10", K::kCaption, "GroupBox1", 8, 96, kToText, kToText, "5"},
    {"Label11", K::kCaption, "GroupBox1", 8, 112, kToText, kToText, "6"},
    {"Label12", K::kCaption, "GroupBox1", 8, 128, kToText, kToText, "7"},
    {"sc1", K::kField, "GroupBox1", 16, 32, 33, 17, ""},
    {"stl1", K::kField, "GroupBox1", 56, 32, 33, 17, ""},
    {"stu1", K::kField, "GroupBox1", 88, 32, 33, 17, ""},
    {"sr1", K::kField, "GroupBox1", 128, 32, 17, 17, ""},
    {"sc2", K::kField, "GroupBox1", 16, 48, 33, 17, ""},
    {"stl2", K::kField, "GroupBox1", 56, 48, 33, 17, ""},
    {"stu2", K::kField, "GroupBox1", 88, 48, 33, 17, ""},
    {"sr2", K::kField, "GroupBox1", 128, 48, 17, 17, ""},
    {"sc3", K::kField, "GroupBox1", 16, 64, 33, 17, ""},
    {"stl3", K::kField, "GroupBox1", 56, 64, 33, 17, ""},
    {"stu3", K::kField, "GroupBox1", 88, 64, 33, 17, ""},
    {"sr3", K::kField, "GroupBox1", 128, 64, 17, 17, ""},
    {"sc4", K::kField, "GroupBox1", 16, 80, 33, 17, ""},
    {"stl4", K::kField, "GroupBox1", 56, 80, 33, 17, ""},
    {"stu4", K::kField, "GroupBox1", 88, 80, 33, 17, ""},
    {"sr4", K::kField, "GroupBox1", 128, 80, 17, 17, ""},
    {"sc5", K::kField, "GroupBox1", 16, 96, 33, 17, ""},
    {"stl5", K::kField, "GroupBox1", 56, 96, 33, 17, ""},
    {"stu5", K::kField, "GroupBox1", 88, 96, 33, 17, ""},
    {"sr5", K::kField, "GroupBox1", 128, 96, 17, 17, ""},
    {"sc6", K::kField, "GroupBox1", 16, 112, 33, 17, ""},
    {"stl6", K::kField, "GroupBox1", 56, 112, 33, 17, ""},
    {"stu6", K::kField, "GroupBox1", 88, 112, 33, 17, ""},
    {"sr6", K::kField, "GroupBox1", 128, 112, 17, 17, ""},
    {"sc7", K::kField, "GroupBox1", 16, 128, 33, 17, ""},
    {"stl7", K::kField, "GroupBox1", 56, 128, 33, 17, ""},
    {"stu7", K::kField, "GroupBox1", 88, 128, 33, 17, ""},
    {"sr7", K::kField, "GroupBox1", 128, 128, 17, 17, ""},
    {"Mode", K::kField, "mainForm", 552, 64, 49, 17, ""},
    {"GroupBox2", K::kFrame, "mainForm", 16, 96, 265, 233, "CONTROL"},
    {"Label42", K::kCaption, "GroupBox2", 64, 16, kToText, kToText, "Phase 1"},
    {"Label43", K::kCaption, "GroupBox2", 136, 16, kToText, kToText, "Phase 2"},
    {"Label44", K::kCaption, "GroupBox2", 208, 16, kToText, kToText, "Phase 3"},
    {"Label45", K::kCaption, "GroupBox2", 8, 32, kToText, kToText, "DR AI"},
    {"Label46", K::kCaption, "GroupBox2", 8, 48, kToText, kToText, "DR EL"},
    {"Label47", K::kCaption, "GroupBox2", 8, 64, kToText, kToText, "DR RU"},
    {"Label54", K::kCaption, "GroupBox2", 48, 80, kToText, kToText, "DR1"},
    {"Label55", K::kCaption, "GroupBox2", 88, 80, kToText, kToText, "DR2"},
    {"Label56", K::kCaption, "GroupBox2", 120, 80, kToText, kToText, "DR1"},
    {"Label57", K::kCaption, "GroupBox2", 160, 80, kToText, kToText, "DR2"},
    {"Label58", K::kCaption, "GroupBox2", 192, 80, kToText, kToText, "DR1"},
    {"Label59", K::kCaption, "GroupBox2", 232, 80, kToText, kToText, "DR2"},
    {"Label13", K::kCaption, "GroupBox2", 8, 104, kToText, kToText, "EXP AI"},
    {"Label14", K::kCaption, "GroupBox2", 8, 120, kToText, kToText, "EXP EL"},
    {"Label15", K::kCaption, "GroupBox2", 8, 136, kToText, kToText, "EXP RU"},
    {"Label48", K::kCaption, "GroupBox2", 8, 160, kToText, kToText, "FIX AI"},
    {"Label49", K::kCaption, "GroupBox2", 8, 176, kToText, kToText, "FIX EL"},
    {"Label50", K::kCaption, "GroupBox2", 8, 192, kToText, kToText, "FIX RU"},
    {"drai1l", K::kField, "GroupBox2", 48, 32, 33, 17, ""},
    {"drai1h", K::kField, "GroupBox2", 80, 32, 33, 17, ""},
    {"drai2l", K::kField, "GroupBox2", 120, 32, 33, 17, ""},
    {"drai2h", K::kField, "GroupBox2", 152, 32, 33, 17, ""},
    {"drai3l", K::kField, "GroupBox2", 192, 32, 33, 17, ""},
    {"drai3h", K::kField, "GroupBox2", 224, 32, 33, 17, ""},
    {"drel1l", K::kField, "GroupBox2", 48, 48, 33, 17, ""},
    {"drel1h", K::kField, "GroupBox2", 80, 48, 33, 17, ""},
    {"drel2l", K::kField, "GroupBox2", 120, 48, 33, 17, ""},
    {"drel2h", K::kField, "GroupBox2", 152, 48, 33, 17, ""},
    {"drel3l", K::kField, "GroupBox2", 192, 48, 33, 17, ""},
    {"drel3h", K::kField, "GroupBox2", 224, 48, 33, 17, ""},
    {"drru1l", K::kField, "GroupBox2", 48, 64, 33, 17, ""},
    {"drru1h", K::kField, "GroupBox2", 80, 64, 33, 17, ""},
    {"drru2l", K::kField, "GroupBox2", 120, 64, 33, 17, ""},
    {"drru2h", K::kField, "GroupBox2", 152, 64, 33, 17, ""},
    {"drru3l", K::kField, "GroupBox2", 192, 64, 33, 17, ""},
    {"drru3h", K::kField, "GroupBox2", 224, 64, 33, 17, ""},
    {"expai", K::kField, "GroupBox2", 64, 104, 33, 17, ""},
    {"expel", K::kField, "GroupBox2", 64, 120, 33, 17, ""},
    {"expru", K::kField, "GroupBox2", 64, 136, 33, 17, ""},
    {"fixai1", K::kField, "GroupBox2", 64, 160, 33, 17, ""},
    {"fixai2", K::kField, "GroupBox2", 136, 160, 33, 17, ""},
    {"fixai3", K::kField, "GroupBox2", 208, 160, 33, 17, ""},
    {"fixel1", K::kField, "GroupBox2", 64, 176, 33, 17, ""},
    {"fixel2", K::kField, "GroupBox2", 136, 176, 33, 17, ""},
    {"fixel3", K::kField, "GroupBox2", 208, 176, 33, 17, ""},
    {"fixru1", K::kField, "GroupBox2", 64, 192, 33, 17, ""},
    {"fixru2", K::kField, "GroupBox2", 136, 192, 33, 17, ""},
    {"fixru3", K::kField, "GroupBox2", 208, 192, 33, 17, ""},
    {"phases", K::kField, "mainForm", 688, 64, 17, 17, ""},
    {"GroupBox4", K::kFrame, "mainForm", 184, 336, 97, 161, "TRIM"},
    {"Label61", K::kCaption, "GroupBox4", 40, 40, kToText, kToText, "Ph1"},
    {"Label62", K::kCaption, "GroupBox4", 40, 88, kToText, kToText, "Ph2"},
    {"Label63", K::kCaption, "GroupBox4", 40, 136, kToText, kToText, "Ph3"},
    {"trimth1", K::kField, "GroupBox4", 24, 16, 25, 17, ""},
    {"trimel1", K::kField, "GroupBox4", 48, 16, 25, 17, ""},
    {"trimru1", K::kField, "GroupBox4", 8, 40, 25, 17, ""},
    {"trimai1", K::kField, "GroupBox4", 64, 40, 25, 17, ""},
    {"trimth2", K::kField, "GroupBox4", 24, 64, 25, 17, ""},
    {"trimel2", K::kField, "GroupBox4", 48, 64, 25, 17, ""},
    {"trimru2", K::kField, "GroupBox4", 8, 88, 25, 17, ""},
    {"trimai2", K::kField, "GroupBox4", 64, 88, 25, 17, ""},
    {"trimth3", K::kField, "GroupBox4", 24, 112, 25, 17, ""},
    {"trimel3", K::kField, "GroupBox4", 48, 112, 25, 17, ""},
    {"trimru3", K::kField, "GroupBox4", 8, 136, 25, 17, ""},
    {"trimai3", K::kField, "GroupBox4", 64, 136, 25, 17, ""},
    {"thr", K::kField, "mainForm", 144, 72, 33, 17, ""},
    {"GroupBox3", K::kFrame, "mainForm", 296, 96, 609, 441, "MIXER"},
    {"Label19", K::kCaption, "GroupBox3", 16, 16, kToText, kToText, "Phase 1"},
    {"Label20", K::kCaption, "GroupBox3", 96, 16, kToText, kToText, "Phase 2"},
    {"Label21", K::kCaption, "GroupBox3", 168, 16, kToText, kToText, "Phase 3"},
    {"Label16", K::kCaption, "GroupBox3", 224, 32, kToText, kToText,
     "->S4        Channel №4 assignment"},
    {"Bevel1", K::kLine, "GroupBox3", 48, 40, 169, 9, ""},
    {"Label17", K::kCaption, "GroupBox3", 224, 48, kToText, kToText,
     "COMBI    Combi enable (coupled aileron and rudder)"},
    {"Bevel2", K::kLine, "GroupBox3", 48, 56, 169, 9, ""},
    {"Label18", K::kCaption, "GroupBox3", 224, 64, kToText, kToText,
     "AI->AI      Aileron stik to aileron servos.Use to adjust aileron differential"},
    {"Label22", K::kCaption, "GroupBox3", 224, 80, kToText, kToText,
     "AI->F       Aileron stik to flap servos (flapperon).Use to adjust flap diff."},
    {"Label23", K::kCaption, "GroupBox3", 224, 96, kToText, kToText,
     "SP->AI    Spoiler stik to aileron servos.Use to set up crown "},
    {"Bevel3", K::kLine, "GroupBox3", 48, 104, 169, 9, ""},
    {"Label24", K::kCaption, "GroupBox3", 224, 112, kToText, kToText,
     "               on the outer surfaces(aileron up). Enables auto diff suppression."},
    {"Label25", K::kCaption, "GroupBox3", 224, 128, kToText, kToText,
     "SP->F     Spoiler stik to flap servos.Crown on the inner surfaces (flaps down)."},
    {"Bevel4", K::kLine, "GroupBox3", 48, 136, 169, 9, ""},
    {"Label26", K::kCaption, "GroupBox3", 224, 144, kToText, kToText,
     "F->AI      Flap stick to aileron servos (outer surface camber)"},
    {"Bevel14", K::kLine, "GroupBox3", 80, 152, 137, 9, ""},
    {"Label27", K::kCaption, "GroupBox3", 224, 160, kToText, kToText,
     "F -> F     Flap lever to flap servos (inner surface camber)"},
    {"Bevel15", K::kLine, "GroupBox3", 80, 168, 137, 9, ""},
    {"Label28", K::kCaption, "GroupBox3", 224, 176, kToText, kToText,
     "EL->AI    Elevator stick to aileron servos (outer surface snapflap)"},
    {"Bevel16", K::kLine, "GroupBox3", 80, 184, 137, 9, ""},
    {"Label29", K::kCaption, "GroupBox3", 224, 192, kToText, kToText,
     "EL-> F    Elevator stick to flap servos (inner surface snapflap)"},
    {"Bevel17", K::kLine, "GroupBox3", 80, 200, 137, 9, ""},
    {"Label30", K::kCaption, "GroupBox3", 224, 208, kToText, kToText,
     "FIX F      Flap preset - emulate fixed flap lever position"},
    {"Label31", K::kCaption, "GroupBox3", 224, 224, kToText, kToText,
     "OFS AI   Neutral offset for aileron servos"},
    {"Bevel5", K::kLine, "GroupBox3", 48, 232, 169, 9, ""},
    {"Label32", K::kCaption, "GroupBox3", 224, 240, kToText, kToText,
     "OFS F    Neutral offset for flap servos"},
    {"Bevel6", K::kLine, "GroupBox3", 48, 248, 169, 9, ""},
    {"Label33", K::kCaption, "GroupBox3", 224, 256, kToText, kToText,
     "TH-CO   Throttle/elevator compensation"},
    {"Bevel7", K::kLine, "GroupBox3", 48, 264, 169, 9, ""},
    {"Label34", K::kCaption, "GroupBox3", 224, 272, kToText, kToText,
     "SP-CO   Spoiler/elevator compensation"},
    {"Bevel8", K::kLine, "GroupBox3", 48, 280, 169, 9, ""},
    {"Label35", K::kCaption, "GroupBox3", 224, 288, kToText, kToText,
     "F - CO    Flap/elevator compensation"},
    {"Bevel18", K::kLine, "GroupBox3", 80, 296, 137, 9, ""},
    {"Label36", K::kCaption, "GroupBox3", 224, 304, kToText, kToText,
     "V-TAIL   Vtail mixer option"},
    {"Bevel9", K::kLine, "GroupBox3", 48, 312, 169, 9, ""},
    {"Label37", K::kCaption, "GroupBox3", 224, 320, kToText, kToText,
     "Y-LEAD  from channel number to channel 7"},
    {"Bevel10", K::kLine, "GroupBox3", 48, 328, 169, 9, ""},
    {"Label38", K::kCaption, "GroupBox3", 224, 336, kToText, kToText, "DELTA   Delta mixer enable"},
    {"Bevel19", K::kLine, "GroupBox3", 80, 344, 137, 9, ""},
    {"Label68", K::kCaption, "GroupBox3", 224, 352, kToText, kToText,
     "->S5       Channel №5 assignment"},
    {"Bevel11", K::kLine, "GroupBox3", 48, 360, 169, 9, ""},
    {"Label65", K::kCaption, "GroupBox3", 224, 376, kToText, kToText,
     "from           if                                  to"},
    {"Label39", K::kCaption, "GroupBox3", 440, 376, kToText, kToText, "Free mix1"},
    {"Label66", K::kCaption, "GroupBox3", 224, 392, kToText, kToText,
     "from           if                                  to"},
    {"Label40", K::kCaption, "GroupBox3", 440, 392, kToText, kToText, "Free mix2"},
    {"Label67", K::kCaption, "GroupBox3", 224, 408, kToText, kToText,
     "from           if                                  to"},
    {"Label41", K::kCaption, "GroupBox3", 440, 408, kToText, kToText, "Free mix3"},
    {"mixths4", K::kField, "GroupBox3", 9, 32, 33, 17, ""},
    {"mixcombi", K::kField, "GroupBox3", 9, 48, 33, 17, ""},
    {"mixaiai1l", K::kField, "GroupBox3", 9, 64, 33, 17, ""},
    {"mixaiai1u", K::kField, "GroupBox3", 41, 64, 33, 17, ""},
    {"mixaiai2l", K::kField, "GroupBox3", 81, 64, 33, 17, ""},
    {"mixaiai2u", K::kField, "GroupBox3", 113, 64, 33, 17, ""},
    {"mixaiai3l", K::kField, "GroupBox3", 153, 64, 33, 17, ""},
    {"mixaiai3u", K::kField, "GroupBox3", 185, 64, 33, 17, ""},
    {"mixaif1l", K::kField, "GroupBox3", 9, 80, 33, 17, ""},
    {"mixaif1u", K::kField, "GroupBox3", 41, 80, 33, 17, ""},
    {"mixaif2l", K::kField, "GroupBox3", 81, 80, 33, 17, ""},
    {"mixaif2u", K::kField, "GroupBox3", 113, 80, 33, 17, ""},
    {"mixaif3l", K::kField, "GroupBox3", 153, 80, 33, 17, ""},
    {"mixaif3u", K::kField, "GroupBox3", 185, 80, 33, 17, ""},
    {"mixspai", K::kField, "GroupBox3", 9, 96, 33, 17, ""},
    {"mixspf", K::kField, "GroupBox3", 9, 128, 33, 17, ""},
    {"mixfail", K::kField, "GroupBox3", 9, 144, 33, 17, ""},
    {"mixfaiu", K::kField, "GroupBox3", 41, 144, 33, 17, ""},
    {"mixffl", K::kField, "GroupBox3", 9, 160, 33, 17, ""},
    {"mixffu", K::kField, "GroupBox3", 41, 160, 33, 17, ""},
    {"mixelail", K::kField, "GroupBox3", 9, 176, 33, 17, ""},
    {"mixelaiu", K::kField, "GroupBox3", 41, 176, 33, 17, ""},
    {"mixelfl", K::kField, "GroupBox3", 9, 192, 33, 17, ""},
    {"mixelfu", K::kField, "GroupBox3", 41, 192, 33, 17, ""},
    {"mixfixf1", K::kField, "GroupBox3", 9, 208, 33, 17, ""},
    {"mixfixf2", K::kField, "GroupBox3", 81, 208, 33, 17, ""},
    {"mixfixf3", K::kField, "GroupBox3", 153, 208, 33, 17, ""},
    {"mixofsai", K::kField, "GroupBox3", 9, 224, 33, 17, ""},
    {"mixofsf", K::kField, "GroupBox3", 9, 240, 33, 17, ""},
    {"mixthco", K::kField, "GroupBox3", 9, 256, 33, 17, ""},
    {"mixspco", K::kField, "GroupBox3", 9, 272, 33, 17, ""},
    {"mixfcol", K::kField, "GroupBox3", 9, 288, 33, 17, ""},
    {"mixfcou", K::kField, "GroupBox3", 41, 288, 33, 17, ""},
    {"mixvtail", K::kField, "GroupBox3", 9, 304, 33, 17, ""},
    {"mixylead", K::kField, "GroupBox3", 9, 320, 33, 17, ""},
    {"mixdeltal", K::kField, "GroupBox3", 9, 336, 33, 17, ""},
    {"mixdeltau", K::kField, "GroupBox3", 41, 336, 33, 17, ""},
    {"mixais5", K::kField, "GroupBox3", 9, 352, 33, 17, ""},
    {"fmix11l", K::kField, "GroupBox3", 9, 376, 33, 17, ""},
    {"fmix11u", K::kField, "GroupBox3", 41, 376, 33, 17, ""},
    {"fmix12l", K::kField, "GroupBox3", 81, 376, 33, 17, ""},
    {"fmix12u", K::kField, "GroupBox3", 113, 376, 33, 17, ""},
    {"fmix13l", K::kField, "GroupBox3", 153, 376, 33, 17, ""},
    {"fmix13u", K::kField, "GroupBox3", 185, 376, 33, 17, ""},
    {"fmix1in", K::kField, "GroupBox3", 249, 376, 24, 17, ""},
    {"fmix1sw", K::kField, "GroupBox3", 288, 376, 89, 17, ""},
    {"fmix1dst", K::kField, "GroupBox3", 401, 376, 24, 17, ""},
    {"fmix21l", K::kField, "GroupBox3", 9, 392, 33, 17, ""},
    {"fmix21u", K::kField, "GroupBox3", 41, 392, 33, 17, ""},
    {"fmix22l", K::kField, "GroupBox3", 81, 392, 33, 17, ""},
    {"fmix22u", K::kField, "GroupBox3", 113, 392, 33, 17, ""},
    {"fmix23l", K::kField, "GroupBox3", 153, 392, 33, 17, ""},
    {"fmix23u", K::kField, "GroupBox3", 185, 392, 33, 17, ""},
    {"fmix2in", K::kField, "GroupBox3", 249, 392, 24, 17, ""},
    {"fmix2sw", K::kField, "GroupBox3", 288, 392, 89, 17, ""},
    {"fmix2dst", K::kField, "GroupBox3", 401, 392, 24, 17, ""},
    {"fmix31l", K::kField, "GroupBox3", 9, 408, 33, 17, ""},
    {"fmix31u", K::kField, "GroupBox3", 41, 408, 33, 17, ""},
    {"fmix32l", K::kField, "GroupBox3", 81, 408, 33, 17, ""},
    {"fmix32u", K::kField, "GroupBox3", 113, 408, 33, 17, ""},
    {"fmix33l", K::kField, "GroupBox3", 153, 408, 33, 17, ""},
    {"fmix33u", K::kField, "GroupBox3", 185, 408, 33, 17, ""},
    {"fmix3in", K::kField, "GroupBox3", 249, 408, 24, 17, ""},
    {"fmix3sw", K::kField, "GroupBox3", 288, 408, 89, 17, ""},
    {"fmix3dst", K::kField, "GroupBox3", 401, 408, 24, 17, ""},
    {"Button1", K::kButton, "mainForm", 880, 520, 25, 17, ">>"},
    {"GroupBox8", K::kFrame, "mainForm", 736, 8, 169, 73, ""},
    {"Label51", K::kCaption, "GroupBox8", 17, 10, kToText, kToText, "qzd-viewer team v1.5 02/2008"},
    {"Label69", K::kCaption, "GroupBox8", 27, 24, kToText, kToText, "1.06 firmware support"},
    {"Label53", K::kCaption, "GroupBox8", 25, 43, kToText, kToText, "www.qzdv.example/forum"},
    {"Label52", K::kCaption, "GroupBox8", 24, 56, kToText, kToText, "mail: team@qzdv.example"},
});

bool IsKind(const QWidget* widget, K kind) {
  switch (kind) {
    case K::kFrame:
      return qobject_cast<const Frame*>(widget) != nullptr;
    case K::kCaption:
      return qobject_cast<const Caption*>(widget) != nullptr;
    case K::kField:
      return qobject_cast<const DisplayField*>(widget) != nullptr;
    case K::kButton:
      return qobject_cast<const QPushButton*>(widget) != nullptr;
    case K::kPicture:
      return qobject_cast<const PictureBox*>(widget) != nullptr;
    case K::kLine:
      return qobject_cast<const Separator*>(widget) != nullptr;
  }
  return false;
}

bool LiesUnder(K kind) {
  return kind == K::kCaption || kind == K::kPicture || kind == K::kLine;
}

QString CaptionOf(const QWidget* widget) {
  if (const auto* frame = qobject_cast<const Frame*>(widget)) return frame->title();
  if (const auto* caption = qobject_cast<const Caption*>(widget)) return caption->text();
  if (const auto* button = qobject_cast<const QPushButton*>(widget)) return button->text();
  return {};
}

const Expected& Row(std::string_view name) {
  const auto* row = std::find_if(kLayout.begin(), kLayout.end(),
                                 [&](const Expected& e) { return e.name == name; });
  EXPECT_NE(row, kLayout.end()) << name;
  return *row;
}

using WindowLayout = WindowTest;

TEST_F(WindowLayout, EveryElementHasTheKindParentPlaceSizeAndCaptionOfTheTable) {
  for (const Expected& e : kLayout) {
    SCOPED_TRACE(std::string(e.name));
    QWidget* widget = window_.Element(e.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(IsKind(widget, e.kind)) << widget->metaObject()->className();
    EXPECT_EQ(Name(widget->parentWidget()), e.parent);
    EXPECT_EQ(widget->pos(), QPoint(e.x, e.y));
    const QString caption = QString::fromUtf8(e.caption.data(), qsizetype(e.caption.size()));
    if (e.w == kToText) {
      const QFontMetrics metrics(widget->font());
      EXPECT_EQ(widget->size(), QSize(metrics.horizontalAdvance(caption), metrics.height()));
    } else {
      EXPECT_EQ(widget->size(), QSize(e.w, e.h));
    }
    EXPECT_EQ(CaptionOf(widget), caption);
  }
}

TEST_F(WindowLayout, TheWindowHasNoElementBeyondTheTable) {
  std::set<std::string> expected;
  for (const Expected& e : kLayout) expected.emplace(e.name);
  std::set<std::string> actual;
  for (const QWidget* widget : window_.findChildren<QWidget*>()) actual.insert(Name(widget));
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(expected.size(), kLayout.size()) << "a name stands twice in the table";
  EXPECT_EQ(std::count_if(kLayout.begin(), kLayout.end(),
                          [](const Expected& e) { return e.kind == K::kField; }),
            141);
}

// Qt stacks the children of a widget in the order of its child list: later ones lie on top.
TEST_F(WindowLayout, SiblingsStackInCreationOrderWithCaptionsPicturesAndLinesUnderneath) {
  std::map<std::string, std::vector<std::string>, std::less<>> expected;
  for (const Expected& e : kLayout) expected[std::string(e.parent)].emplace_back(e.name);
  for (const auto& [parent, names] : expected) {
    SCOPED_TRACE(parent);
    QWidget* container = parent == "mainForm" ? &window_ : window_.Element(parent);
    ASSERT_NE(container, nullptr);
    std::vector<std::string> stacked;
    for (const QObject* child : container->children()) {
      if (child->isWidgetType()) stacked.push_back(Name(child));
    }
    EXPECT_EQ(stacked, names);

    bool windowedSeen = false;
    for (const std::string& name : stacked) {
      const bool under = LiesUnder(Row(name).kind);
      EXPECT_FALSE(under && windowedSeen) << name << " lies above a frame, field or button";
      windowedSeen = windowedSeen || !under;
    }
  }
}

TEST_F(WindowLayout, TheTopmostElementUnderAPointIsTheOneTheLayoutPutsThere) {
  struct Probe {
    QPoint point;  // in the window's client area
    std::string_view expected;
  };
  const auto probes = std::to_array<Probe>({
      {{600, 300}, "GroupBox3"},                    // the MIXER page covers the other three
      {{892, 528}, "Button1"},                      // over all four pages
      {{296 + 249 + 12, 96 + 376 + 8}, "fmix1in"},  // over the blank run of its row caption
      {{296 + 288 + 44, 96 + 392 + 8}, "fmix2sw"},
      {{296 + 401 + 12, 96 + 408 + 8}, "fmix3dst"},
      {{296 + 228, 96 + 376 + 6}, "Label65"},  // "from"
      {{296 + 100, 96 + 40 + 0}, "Bevel1"},
      {{296 + 42, 96 + 64 + 8}, "mixaiai1u"},  // the later of two fields sharing a border
      {{16 + 88, 336 + 80 + 8}, "stu4"},
  });
  for (const Probe& probe : probes) {
    EXPECT_EQ(Name(window_.childAt(probe.point)), probe.expected)
        << "at " << probe.point.x() << "," << probe.point.y();
  }
}

// Tab visits the window level in the layout's keyboard order; a frame stands for the fields and
// buttons it holds, in their creation order.
TEST_F(WindowLayout, TabVisitsTheFieldsAndButtonsInTheLayoutsKeyboardOrder) {
  constexpr auto kWindowLevelOrder = std::to_array<std::string_view>(
      {"open", "FilePath", "pos0", "pos1", "GroupBox1", "Mode", "GroupBox2", "GroupBox5", "phases",
       "GroupBox4", "thr", "GroupBox6", "Button1", "GroupBox7", "GroupBox3", "GroupBox8"});
  std::vector<std::string> expected;
  for (std::string_view name : kWindowLevelOrder) {
    if (Row(name).kind != K::kFrame) {
      expected.emplace_back(name);
      continue;
    }
    for (const Expected& e : kLayout) {
      if (e.parent == name && (e.kind == K::kField || e.kind == K::kButton)) {
        expected.emplace_back(e.name);
      }
    }
  }
  std::vector<std::string> chain;
  QWidget* first = window_.Element("open");
  QWidget* widget = first;
  do {
    if (widget->focusPolicy() & Qt::TabFocus) chain.push_back(Name(widget));
    widget = widget->nextInFocusChain();
  } while (widget != first && chain.size() <= expected.size());
  EXPECT_EQ(chain, expected);
}

// The grids again, from their rules rather than row by row, so that a slip in the table above
// shows as a disagreement.
TEST_F(WindowLayout, GridFieldsFollowTheirRowAndColumnRules) {
  const auto at = [&](const std::string& name) { return Get(name)->geometry(); };
  for (int n = 1; n <= 7; ++n) {
    const int y = 32 + 16 * (n - 1);
    EXPECT_EQ(at("sc" + std::to_string(n)), QRect(16, y, 33, 17));
    EXPECT_EQ(at("stl" + std::to_string(n)), QRect(56, y, 33, 17));
    EXPECT_EQ(at("stu" + std::to_string(n)), QRect(88, y, 33, 17));
    EXPECT_EQ(at("sr" + std::to_string(n)), QRect(128, y, 17, 17));
  }
  const std::array<std::string, 3> axes = {"ai", "el", "ru"};
  for (int a = 0; a < 3; ++a) {
    for (int p = 1; p <= 3; ++p) {
      const std::string phase = std::to_string(p);
      EXPECT_EQ(at("dr" + axes[a] + phase + "l"), QRect(48 + 72 * (p - 1), 32 + 16 * a, 33, 17));
      EXPECT_EQ(at("dr" + axes[a] + phase + "h"), QRect(80 + 72 * (p - 1), 32 + 16 * a, 33, 17));
      EXPECT_EQ(at("fix" + axes[a] + phase), QRect(64 + 72 * (p - 1), 160 + 16 * a, 33, 17));
    }
    EXPECT_EQ(at("exp" + axes[a]), QRect(64, 104 + 16 * a, 33, 17));
  }
  for (int p = 1; p <= 3; ++p) {
    const std::string phase = std::to_string(p);
    const int y0 = 16 + 48 * (p - 1);
    EXPECT_EQ(at("trimth" + phase), QRect(24, y0, 25, 17));
    EXPECT_EQ(at("trimel" + phase), QRect(48, y0, 25, 17));
    EXPECT_EQ(at("trimru" + phase), QRect(8, y0 + 24, 25, 17));
    EXPECT_EQ(at("trimai" + phase), QRect(64, y0 + 24, 25, 17));
    EXPECT_EQ(Get("Label6" + std::to_string(p))->pos(), QPoint(40, y0 + 24));
  }
  for (int n = 1; n <= 3; ++n) {
    const std::string mixer = "fmix" + std::to_string(n);
    const int y = 376 + 16 * (n - 1);
    for (int p = 1; p <= 3; ++p) {
      EXPECT_EQ(at(mixer + std::to_string(p) + "l"), QRect(9 + 72 * (p - 1), y, 33, 17));
      EXPECT_EQ(at(mixer + std::to_string(p) + "u"), QRect(41 + 72 * (p - 1), y, 33, 17));
    }
    EXPECT_EQ(at(mixer + "in"), QRect(249, y, 24, 17));
    EXPECT_EQ(at(mixer + "sw"), QRect(288, y, 89, 17));
    EXPECT_EQ(at(mixer + "dst"), QRect(401, y, 24, 17));
  }
  // A separator line runs from the end of its row's fields to x 217, its box 8 below the row top.
  for (const Expected& e : kLayout) {
    if (e.kind != K::kLine) continue;
    SCOPED_TRACE(std::string(e.name));
    EXPECT_EQ(e.x + e.w, 217);
    EXPECT_EQ(e.h, 9);
    EXPECT_EQ((e.y - 8 - 32) % 16, 0);
  }
}

TEST_F(WindowLayout, FreeMixerInputAndSwitchFieldsCoverOnlyBlanksOfTheirRowCaption) {
  for (const char* row : {"Label65", "Label66", "Label67"}) {
    const auto* caption = Get<Caption>(row);
    const QFontMetrics metrics(caption->font());
    const QString text = caption->text();
    const int fromEnd = caption->x() + metrics.horizontalAdvance(QStringLiteral("from"));
    const int ifStart = caption->x() + metrics.horizontalAdvance(text.left(text.indexOf("if")));
    const int ifEnd = ifStart + metrics.horizontalAdvance(QStringLiteral("if"));
    const int toStart = caption->x() + metrics.horizontalAdvance(text.left(text.indexOf("to")));
    const int toEnd = caption->x() + metrics.horizontalAdvance(text);
    const std::string n(1, row[6] - '5' + '1');
    const QRect in = Get("fmix" + n + "in")->geometry();
    const QRect sw = Get("fmix" + n + "sw")->geometry();
    const QRect dst = Get("fmix" + n + "dst")->geometry();
    EXPECT_GE(in.left(), fromEnd) << row;
    EXPECT_LE(in.right(), ifStart) << row;
    EXPECT_GE(sw.left(), ifEnd) << row;
    EXPECT_LE(sw.right(), toStart) << row;
    EXPECT_GE(dst.left(), toEnd) << row;
  }
}

TEST_F(WindowLayout, EveryCaptionFitsInsideItsFrame) {
  for (const Caption* caption : window_.findChildren<Caption*>()) {
    const QWidget* parent = caption->parentWidget();
    if (parent == &window_) continue;
    // The frame's border is two pixels wide on the right.
    EXPECT_LE(caption->geometry().right(), parent->width() - 3) << Name(caption);
  }
}

// A caption the form hides (the HELI warning) is measured only once it shows, and then before its
// first paint: shown by a load into the window that is up, it is as large as its text.
TEST(HiddenCaption, IsAsLargeAsItsTextOnceShown) {
  QWidget window;
  auto* caption = new Caption(&window);
  caption->setText(QStringLiteral("HELI not supported in this version!!!"));
  caption->setGeometry(0, 0, 20, 13);
  caption->hide();
  caption->fitToText();
  window.show();
  caption->show();
  EXPECT_EQ(caption->size(), caption->sizeHint());
}

}  // namespace
}  // namespace qzd::viewer::testing
