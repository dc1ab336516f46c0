#pragma once

class Language;
class QComboBox;

// Fills a separator list ("cmbIChr") with the separators of NameAddition: the blank item shown by its
// name from the language file between "<" and ">", then the others as they are. The current choice is
// kept.
void FillSeparatorCombo(QComboBox* combo, const Language& language);
