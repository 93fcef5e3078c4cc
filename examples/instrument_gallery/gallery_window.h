// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The gallery: the list of instruments, the chosen one in the middle with a value
// slider under it, and its property panel beside it; the widget's property file
// can be saved and loaded.

#include <QWidget>

class PropertyPanel;
class QListWidget;
class QSlider;
class QVBoxLayout;
class TiComponent;

class GalleryWindow : public QWidget {
    Q_OBJECT

public:
    explicit GalleryWindow(QWidget* parent = nullptr);
    // Shows the instrument at `row` of the list.
    void ShowInstrument(int row);

private:
    void ApplySlider(int value);
    void SaveProperties();
    void LoadProperties();

    QListWidget* list_;
    QWidget* stage_;
    QVBoxLayout* stageLayout_;
    QSlider* slider_;
    PropertyPanel* panel_;
    TiComponent* instrument_ = nullptr;
};
