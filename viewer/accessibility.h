// SPDX-License-Identifier: MIT
#pragma once

namespace qzd::viewer {

class TmainForm;

// Makes the window's own element kinds known to the accessibility tree: display fields as
// editable text fields with their text as value, pictures as graphics, lines as separators. Call
// it before the elements are made: while a screen reader listens, setting up an element already
// asks for its interface, and the first answer is the one kept.
void InstallElementAccessibility();

// Names every display field by its label ("DR AI, Phase 1, DR1"), the same label `qzd diff`
// prints, and makes the editor a field makes when the user enters it take the field's name and
// description. The other elements' names and descriptions are in the form.
void SetUpAccessibility(TmainForm& window);

}  // namespace qzd::viewer
