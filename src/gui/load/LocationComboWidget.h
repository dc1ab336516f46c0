#pragma once

#include <QComboBox>
#include <QIcon>

// A drop-down of places whose open list shows each entry indented by its depth (the computer, its
// volumes, then the folders of the current path), while the closed box shows the entry plainly.
class LocationComboWidget : public QComboBox
{
    Q_OBJECT
public:
    static constexpr int KeyRole = Qt::UserRole;
    static constexpr int DepthRole = Qt::UserRole + 1;

    explicit LocationComboWidget(QWidget* parent = nullptr);

    void addLocation(const QIcon& icon, const QString& text, const QString& key, int depth);
    QString keyAt(int index) const;
    // The index of the entry with this key (compared without surrounding blanks), or -1.
    int indexOfKey(const QString& key) const;
};
