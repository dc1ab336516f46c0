#pragma once

#include "core/rename/PrefixSuffixParams.h"
#include "gui/rename/RenameDialog.h"

class QLabel;
class QLineEdit;

// Prefix and suffix ("frmPrefixSuffix", type 5): txtPr and txtSu, labelled with the two words of the
// dialog's caption ("Prefix/Suffix" gives "Prefix:" and "Suffix:").
class PrefixSuffixDialog : public RenameDialog
{
    Q_OBJECT

public:
    static constexpr int kType = 5;

    explicit PrefixSuffixDialog(RenameDialogHost host, QWidget* parent = nullptr);

    PrefixSuffixParams params() const;

protected:
    void textsApplied() override;
    void runFunction(RenameRun& run) override;

private:
    QLabel* m_prefixLabel = nullptr;
    QLabel* m_suffixLabel = nullptr;
    QLineEdit* m_prefix = nullptr;
    QLineEdit* m_suffix = nullptr;
};
