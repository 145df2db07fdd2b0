#pragma once

#include "materialcatalogue.h"

#include <QWidget>

#include <array>

class QLabel;
class QListWidget;

namespace bearing::ui {

// The materials reference window: the whole catalogue in five side-by-side lists, the
// names and the four limits of each material, under five headings. It is read-only; the
// only thing it does after loading is keep the four value lists on the row selected in
// the name list.
class MaterialsWindow : public QWidget {
    Q_OBJECT

public:
    explicit MaterialsWindow(QWidget* parent = nullptr);

private:
    static constexpr int columnCount = 5;

    void createHeadings();
    void createLists();
    void fillLists();
    void addRow(const std::array<QString, columnCount>& texts);
    void fitListsToItems();
    void connectLists();
    void followNameList();

    // The window's own copy, read by row only.
    MaterialCatalogue catalogue_{CatalogueVariant::ReferenceWindow};
    std::array<QLabel*, columnCount> headings_{};
    std::array<QListWidget*, columnCount> lists_{};
    // Set while followNameList() moves the value lists, whose own notifications would
    // otherwise run it again.
    bool following_ = false;
};

}  // namespace bearing::ui
