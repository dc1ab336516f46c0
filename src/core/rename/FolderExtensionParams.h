#pragma once

#include <QString>

class DialogValues;
class RenameRun;

// Folder extension (type 3, "frmFolderExtension"): removes the extension, or sets a new one, optionally
// after the old one. The new extension is cleaned of surrounding blanks and of leading dots, which the
// user would otherwise double ("..bak " becomes "bak").
struct FolderExtensionParams
{
    enum Mode { Remove = 0, NewExtension = 1 }; // the selected "optFE(0)" or "optFE(1)"
    static constexpr int kDefaultMode = NewExtension;

    int mode = kDefaultMode;
    QString extension;    // "txtFE", cleaned
    bool keepOld = false; // "chkAddOldFE"

    static FolderExtensionParams fromValues(const DialogValues& values);
    static QString cleanExtension(const QString& text);

    // The name structure that does the work: "<Name>", then "<.Ext>" and "." + the new extension.
    QString structure() const;
};

void applyFolderExtension(RenameRun& run, const FolderExtensionParams& params);
