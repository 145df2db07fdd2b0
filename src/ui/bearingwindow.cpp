#include "bearingwindow.h"

#include "appearance.h"
#include "bearingwindownames.h"
#include "inputbox.h"
#include "messagebox.h"
#include "numbertext.h"
#include "twips.h"
#include "utf8text.h"
#include "wrappingbutton.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace bearing::ui {

namespace {

enum class Kind {
    Title,           // the heading over the inputs
    Caption,         // a bold label naming a box
    Label,           // a unit after a box
    Input,           // a text box the user types into
    ResultBox,       // a text box the calculations write
    List,            // the material list
    Button,          // a button with a one-line caption
    WrappingButton,  // a button whose caption needs several lines
    Frame,           // the frame around the sizing results
    Sketch,          // the drawing of the bearing
};

// A control's position counts from the top left corner of the window or of the frame.
enum class Parent { Window, Frame };

struct Placement {
    std::string_view name;
    Kind kind;
    Parent parent;
    TwipsRect twips;
    std::string_view caption;
    // What a screen reader announces for a control that shows no caption of its own.
    std::string_view accessibleName;
};

// The whole window. The rows are in the order the controls are created, which is also
// the order the Tab key visits those that take the focus; the frame comes before the
// controls inside it.
constexpr std::array placements{
    Placement{names::captions.heading, Kind::Title, Parent::Window, {2520, 120, 5175, 375}, "Исходные данные", {}},
    Placement{names::inputs.load, Kind::Input, Parent::Window, {4800, 600, 1695, 375}, {}, "Радиальное усилие"},
    Placement{names::inputs.frequency, Kind::Input, Parent::Window, {4800, 1080, 1695, 375}, {}, "Частота вращения"},
    Placement{
        names::inputs.materialList, Kind::List, Parent::Window, {4800, 1620, 2895, 645}, {}, "Материал подшипника"},
    Placement{names::buttons.calculateSizing, Kind::Button, Parent::Window, {2520, 2460, 5175, 495},
        "Расчет характеристик подшипника", {}},
    Placement{
        names::results.frame, Kind::Frame, Parent::Window, {120, 3120, 7575, 1455}, "Характеристики подшипника", {}},
    Placement{names::results.maxDiameterLine, Kind::ResultBox, Parent::Frame, {120, 360, 4335, 375}, {},
        "Максимальный диаметр"},
    Placement{
        names::results.minLengthLine, Kind::ResultBox, Parent::Frame, {120, 840, 4335, 375}, {}, "Минимальная длина"},
    Placement{names::results.maxTemperature, Kind::ResultBox, Parent::Frame, {4680, 840, 2055, 375}, {},
        "Максимальная температура"},
    Placement{names::captions.maxTemperature, Kind::Caption, Parent::Frame, {4680, 360, 2535, 375},
        "Максимальная температура", {}},
    Placement{names::units.maxTemperature, Kind::Label, Parent::Frame, {6960, 960, 255, 255}, "°С", {}},
    Placement{names::inputs.length, Kind::Input, Parent::Window, {5640, 4800, 1455, 375}, {}, "Длина"},
    Placement{names::buttons.calculateDiameter, Kind::WrappingButton, Parent::Window, {120, 4800, 2895, 975},
        "Расчет минимального диаметра в зависимости от длины", {}},
    Placement{names::results.minDiameter, Kind::ResultBox, Parent::Window, {5640, 5400, 1455, 405}, {},
        "Минимальный диаметр"},
    Placement{names::captions.load, Kind::Caption, Parent::Window, {2520, 720, 2055, 255}, "Радиальное усилие:", {}},
    Placement{
        names::captions.frequency, Kind::Caption, Parent::Window, {2520, 1200, 2055, 255}, "Частота вращения:", {}},
    Placement{names::captions.materialList, Kind::Caption, Parent::Window, {2520, 1680, 2055, 255},
        "Материал подшипника:", {}},
    Placement{names::units.frequency, Kind::Label, Parent::Window, {6720, 1200, 615, 255}, "об/мин", {}},
    Placement{names::units.load, Kind::Label, Parent::Window, {6720, 720, 615, 255}, "Н", {}},
    Placement{names::captions.length, Kind::Caption, Parent::Window, {3240, 4920, 1215, 300}, "Длина:", {}},
    Placement{names::captions.minDiameter, Kind::Caption, Parent::Window, {3240, 5520, 2175, 300},
        "Минимальный диаметр:", {}},
    Placement{names::units.minDiameter, Kind::Label, Parent::Window, {7320, 5520, 375, 255}, "мм", {}},
    Placement{names::units.length, Kind::Label, Parent::Window, {7320, 4920, 375, 255}, "мм", {}},
    Placement{names::sketch, Kind::Sketch, Parent::Window, {120, 120, 2175, 2775}, {}, "Эскиз подшипника"},
};

constexpr TwipsRect designClientSize{0, 0, 7935, 6270};

// A name missing from the table stops the build.
consteval std::size_t placementIndex(std::string_view name)
{
    for (std::size_t i = 0; i < placements.size(); ++i) {
        if (placements.at(i).name == name) {
            return i;
        }
    }
    throw "no control of this name";
}

constexpr std::string_view frameCaption = placements.at(placementIndex(names::results.frame)).caption;

constexpr qreal titlePointSize = 9.75;

constexpr bool takesFocus(Kind kind)
{
    switch (kind) {
    case Kind::Input:
    case Kind::ResultBox:
    case Kind::List:
    case Kind::Button:
    case Kind::WrappingButton: return true;
    default: return false;
    }
}

QLabel* createLabel(const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// The captions are bold. The condensed face keeps the longest of them ("Материал
// подшипника:", "Максимальная температура") inside the boxes the layout gives them,
// which the regular DejaVu Sans Bold overflows by some 15 pixels.
QLabel* createCaption(const QString& caption, QWidget* parent)
{
    QLabel* label = createLabel(caption, parent);
    label->setFont(condensedFont(applicationPointSize, true));
    return label;
}

QLabel* createTitle(const QString& caption, QWidget* parent)
{
    auto* title = new QLabel(caption, parent);
    title->setFont(condensedFont(titlePointSize, true));
    title->setAlignment(Qt::AlignCenter);
    title->setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    return title;
}

// An input takes whatever is typed or pasted, however long: the calculation reads
// only the number at its start.
QLineEdit* createInput(QWidget* parent) { return new InputBox(parent); }

// A result box: no typing, but its text can be selected and copied, and it takes the
// focus in its turn. The button-face background tells it apart from the inputs.
QLineEdit* createResultBox(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    edit->setPalette(palette);
    return edit;
}

QListWidget* createList(QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row is one line of one font, so the list lays its rows out from the size of
    // the first instead of measuring each.
    list->setUniformItemSizes(true);
    // The list is only three lines high; in the regular face "Металлофторопластовая
    // лента" needs a horizontal scroll bar, which would leave room for a line and a half.
    list->setFont(condensedFont());
    return list;
}

// The sketch fills its box exactly, at the cost of a slight change of aspect ratio.
// Copies scaled for a screen scale of 1 and of 2 are made when the program is built, by
// the same smooth scaling that the label applies to a larger picture: at those scales
// start-up copies a small grey map into place, where it would otherwise decode the whole
// drawing and scale it down. At any other scale the label stretches the whole drawing
// into its box.
QLabel* createSketch(QWidget* parent)
{
    auto* sketch = new QLabel(parent);
    const qreal scale = sketch->devicePixelRatioF();
    const QString readyCopy = scale == 1.0 ? QStringLiteral(":/sketch/bearing-sketch-scale1.pgm")
        : scale == 2.0                     ? QStringLiteral(":/sketch/bearing-sketch-scale2.pgm")
                                           : QString();
    if (readyCopy.isEmpty()) {
        sketch->setScaledContents(true);
        sketch->setPixmap(QPixmap(QStringLiteral(":/sketch/bearing-sketch.gif")));
        return sketch;
    }
    QPixmap copy(readyCopy);
    copy.setDevicePixelRatio(scale);
    sketch->setPixmap(copy);
    return sketch;
}

// Enter and keypad Enter press a focused button, as Space does. Only a dialog hands Enter
// on from an input box to a button, so in the boxes here it still does nothing.
QPushButton* createButton(QPushButton* button)
{
    button->setAutoDefault(true);
    return button;
}

QWidget* createControl(const Placement& placement, QWidget* parent)
{
    const QString caption = fromUtf8(placement.caption);
    switch (placement.kind) {
    case Kind::Title: return createTitle(caption, parent);
    case Kind::Caption: return createCaption(caption, parent);
    case Kind::Label: return createLabel(caption, parent);
    case Kind::Input: return createInput(parent);
    case Kind::ResultBox: return createResultBox(parent);
    case Kind::List: return createList(parent);
    case Kind::Button: return createButton(new QPushButton(caption, parent));
    case Kind::WrappingButton: return createButton(new WrappingButton(caption, parent));
    case Kind::Frame: return new QGroupBox(caption, parent);
    case Kind::Sketch: return createSketch(parent);
    }
    return nullptr;
}

}  // namespace

BearingWindow::BearingWindow(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QLatin1String(names::window));
    setWindowTitle(QStringLiteral("Подшипник"));
    resize(pixelsFromTwips(designClientSize).size());

    createControls();
    fillMaterialList();
    connectControls();

    // Becomes the focus as soon as the window is first shown.
    loadBox_->setFocus();
}

void BearingWindow::createControls()
{
    std::array<QWidget*, placements.size()> controls{};
    QWidget* frame = nullptr;
    QWidget* previousInTabOrder = nullptr;
    for (std::size_t i = 0; i < placements.size(); ++i) {
        const Placement& placement = placements.at(i);
        QWidget* control = createControl(placement, placement.parent == Parent::Frame ? frame : this);
        control->setObjectName(fromUtf8(placement.name));
        control->setGeometry(pixelsFromTwips(placement.twips));
        if (!placement.accessibleName.empty()) {
            control->setAccessibleName(fromUtf8(placement.accessibleName));
        }
        if (placement.kind == Kind::Frame) {
            frame = control;
        }
        if (takesFocus(placement.kind)) {
            if (previousInTabOrder != nullptr) {
                setTabOrder(previousInTabOrder, control);
            }
            previousInTabOrder = control;
        }
        controls.at(i) = control;
    }

    const auto keep
        = [&controls]<typename T>(std::size_t index, T*& member) { member = qobject_cast<T*>(controls.at(index)); };
    keep(placementIndex(names::inputs.load), loadBox_);
    keep(placementIndex(names::inputs.frequency), frequencyBox_);
    keep(placementIndex(names::inputs.materialList), materialList_);
    keep(placementIndex(names::buttons.calculateSizing), calculateSizingButton_);
    keep(placementIndex(names::results.frame), resultFrame_);
    keep(placementIndex(names::results.maxDiameterLine), maxDiameterLine_);
    keep(placementIndex(names::results.minLengthLine), minLengthLine_);
    keep(placementIndex(names::results.maxTemperature), maxTemperatureBox_);
    keep(placementIndex(names::inputs.length), lengthBox_);
    keep(placementIndex(names::buttons.calculateDiameter), calculateDiameterButton_);
    keep(placementIndex(names::results.minDiameter), minDiameterBox_);
}

void BearingWindow::fillMaterialList()
{
    // Headers and blank lines select no material.
    for (const MaterialListItem& item : materialListItems) {
        materialList_->addItem(fromUtf8(item.isMaterial() ? catalogue_.row(item.row).name : item.header));
    }
}

void BearingWindow::connectControls()
{
    connect(materialList_, &QListWidget::itemSelectionChanged, this, &BearingWindow::onMaterialSelectionChanged);
    connect(calculateSizingButton_, &QPushButton::clicked, this, &BearingWindow::onCalculateSizingClicked);
    connect(calculateDiameterButton_, &QPushButton::clicked, this, &BearingWindow::onCalculateDiameterClicked);
}

void BearingWindow::onMaterialSelectionChanged()
{
    // Results of another material must not stay on screen beside this one's name.
    maxDiameterLine_->clear();
    minLengthLine_->clear();

    const std::int16_t row = catalogue_.findMaterial(selectedMaterial().toStdString());
    if (row == MaterialCatalogue::noMaterial) {
        maxTemperatureBox_->clear();
        resultFrame_->setTitle(fromUtf8(frameCaption));
        return;
    }
    const MaterialRecord& material = catalogue_.row(row);
    maxTemperatureBox_->setText(fromUtf8(formatTextBoxNumber(material.maxTemperature)));
    resultFrame_->setTitle(
        fromUtf8(frameCaption) + QStringLiteral(" (материал - ") + fromUtf8(material.name) + QLatin1Char(')'));
}

void BearingWindow::onCalculateSizingClicked()
{
    const PressTexts texts = pressTexts();
    showPress(pressSizing(catalogue_, texts.input(), state_));
}

void BearingWindow::onCalculateDiameterClicked()
{
    const PressTexts texts = pressTexts();
    showPress(pressDiameterForLength(catalogue_, texts.input(), state_, QLocale().decimalPoint().toStdString()));
}

BearingWindow::PressTexts BearingWindow::pressTexts() const
{
    return {.material = selectedMaterial().toStdString(),
        .load = loadBox_->text().toStdString(),
        .frequency = frequencyBox_->text().toStdString(),
        .length = lengthBox_->text().toStdString()};
}

// The state is kept before anything is shown: a message box is modal, and the next
// press can only come after it.
void BearingWindow::showPress(const PressResult& press)
{
    state_ = press.state;
    for (const ShownEvent& event : press.events) {
        switch (event.kind) {
        case ShownEvent::Kind::TextSet: resultBox(event.control)->setText(fromUtf8(event.text)); break;
        case ShownEvent::Kind::Message:
            showMessage(this, fromUtf8(event.text), fromUtf8(event.title),
                event.icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::Information);
            break;
        }
    }
}

QString BearingWindow::selectedMaterial() const
{
    const QList<QListWidgetItem*> selected = materialList_->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

QLineEdit* BearingWindow::resultBox(Control control) const
{
    switch (control) {
    case Control::MaxDiameterLine: return maxDiameterLine_;
    case Control::MinLengthLine: return minLengthLine_;
    case Control::MinDiameterOnLength: return minDiameterBox_;
    }
    return nullptr;
}

}  // namespace bearing::ui
