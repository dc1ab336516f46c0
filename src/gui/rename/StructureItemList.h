#pragma once

#include <QTreeWidget>

class FileSystem;
class Language;

// A list of structure elements or functions: the text to insert in the first column, what it does in the
// second. Dragging an item carries its text as plain text, so it drops into a text field at the place
// under the mouse; a double-click or Enter asks for it to be inserted at the cursor instead.
class StructureItemList : public QTreeWidget
{
    Q_OBJECT

public:
    explicit StructureItemList(QWidget* parent = nullptr);

    // Adds the entries of the groups of [ComboBoxes] named by the key prefixes ("cmbElements" reads
    // "cmbElements-1", "cmbElements-2" … up to the first missing or empty one), each split at its first
    // "|". Only the entries the structure language understands are offered.
    void fill(const Language& language, const QStringList& keyPrefixes, const FileSystem& fs);

Q_SIGNALS:
    void insertRequested(const QString& text);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
    void keyPressEvent(QKeyEvent* event) override;
};
