#pragma once

#include "calculationwindow.h"
#include "materialcatalogue.h"
#include "sizing.h"

#include <QWidget>

#include <string>
#include <string_view>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace bearing::ui {

// The bearing calculation window: the user picks a material, types the radial load and
// the rotation frequency and gets the largest diameter and the smallest length; then,
// for a proposed length, the smallest diameter. The window owns its catalogue copy and
// its SizingState; the two buttons hand both, with the window itself, to the core.
//
// The controls keep fixed positions and sizes: nothing moves when the window is resized.
class BearingWindow : public QWidget, public CalculationWindow {
    Q_OBJECT

public:
    explicit BearingWindow(QWidget* parent = nullptr);

    [[nodiscard]] std::string text(Control control) const override;
    void setText(Control control, std::string_view text) override;
    void showMessage(std::string_view text, std::string_view title, MessageIcon icon) override;

private:
    void createControls();
    void fillMaterialList();
    void connectControls();

    void onMaterialSelectionChanged();
    void onCalculateSizingClicked();
    void onCalculateDiameterClicked();

    [[nodiscard]] QLineEdit* textBox(Control control) const;
    [[nodiscard]] QString selectedMaterial() const;

    MaterialCatalogue catalogue_{CatalogueVariant::BearingWindow};
    SizingState state_;

    // The controls that the window reads or writes after building them; the comments
    // give their object names.
    QLineEdit* loadBox_ = nullptr;                    // "Text1(0)"
    QLineEdit* frequencyBox_ = nullptr;               // "Text1(3)"
    QListWidget* materialList_ = nullptr;             // "List1"
    QPushButton* calculateSizingButton_ = nullptr;    // "cmdGeomCalc"
    QGroupBox* resultFrame_ = nullptr;                // "fraCharact"
    QLineEdit* maxDiameterLine_ = nullptr;            // "txtMaxDiam"
    QLineEdit* minLengthLine_ = nullptr;              // "txtMinLength"
    QLineEdit* maxTemperatureBox_ = nullptr;          // "Text1(4)"
    QLineEdit* lengthBox_ = nullptr;                  // "Text2"
    QPushButton* calculateDiameterButton_ = nullptr;  // "Command1"
    QLineEdit* minDiameterBox_ = nullptr;             // "txtMinDiamOnLength"
};

}  // namespace bearing::ui
