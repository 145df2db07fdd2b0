#pragma once

#include "materialcatalogue.h"
#include "press.h"

#include <QWidget>

#include <string>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace bearing::ui {

// The bearing calculation window: the user picks a material, types the radial load and
// the rotation frequency and gets the largest diameter and the smallest length; then,
// for a proposed length, the smallest diameter. The window owns its catalogue copy and
// its SizingState; a button hands both, with the texts it holds, to the core, keeps the
// state that comes back and shows what the core says is shown, in order.
//
// The controls keep fixed positions and sizes: nothing moves when the window is resized.
class BearingWindow : public QWidget {
    Q_OBJECT

public:
    explicit BearingWindow(QWidget* parent = nullptr);

private:
    void createControls();
    void fillMaterialList();
    void connectControls();

    void onMaterialSelectionChanged();
    void onCalculateSizingClicked();
    void onCalculateDiameterClicked();

    // The texts a press reads, held as UTF-8 while the core reads them.
    struct PressTexts {
        std::string material;
        std::string load;
        std::string frequency;
        std::string length;

        [[nodiscard]] PressInput input() const
        {
            return {.material = material, .load = load, .frequency = frequency, .length = length};
        }
    };
    [[nodiscard]] PressTexts pressTexts() const;
    void showPress(const PressResult& press);

    [[nodiscard]] QLineEdit* resultBox(Control control) const;
    [[nodiscard]] QString selectedMaterial() const;

    MaterialCatalogue catalogue_{CatalogueVariant::BearingWindow};
    SizingState state_;

    // The controls that the window reads or writes after building them.
    QLineEdit* loadBox_ = nullptr;
    QLineEdit* frequencyBox_ = nullptr;
    QListWidget* materialList_ = nullptr;
    QPushButton* calculateSizingButton_ = nullptr;
    QGroupBox* resultFrame_ = nullptr;
    QLineEdit* maxDiameterLine_ = nullptr;
    QLineEdit* minLengthLine_ = nullptr;
    QLineEdit* maxTemperatureBox_ = nullptr;
    QLineEdit* lengthBox_ = nullptr;
    QPushButton* calculateDiameterButton_ = nullptr;
    QLineEdit* minDiameterBox_ = nullptr;
};

}  // namespace bearing::ui
