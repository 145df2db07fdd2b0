#include "bearingwindow.h"

#include "messagebox.h"
#include "numbertext.h"
#include "utf8text.h"
#include "wrappingbutton.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>

#include <limits>

namespace bearing::ui {

namespace {

// The window was designed in twips, 15 to a pixel at 96 dots per inch; the positions
// below are kept in twips so that they read against the design.
constexpr int twipsPerPixel = 15;

constexpr QRect fromTwips(int left, int top, int width, int height)
{
    return {left / twipsPerPixel, top / twipsPerPixel, width / twipsPerPixel, height / twipsPerPixel};
}

constexpr QSize designClientSize{7935 / twipsPerPixel, 6270 / twipsPerPixel};

QString frameCaption() { return QStringLiteral("Характеристики подшипника"); }

// The captions are bold. The condensed face keeps the longest of them ("Материал
// подшипника:", "Максимальная температура") inside the boxes the layout gives them,
// which the regular DejaVu Sans Bold overflows by some 15 pixels.
QFont condensedFont(qreal pointSize)
{
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPointSizeF(pointSize);
    return font;
}

QFont captionFont(qreal pointSize)
{
    QFont font = condensedFont(pointSize);
    font.setBold(true);
    return font;
}

constexpr qreal captionPointSize = 8;
// The application's own size; the list uses it in the condensed face.
constexpr qreal listPointSize = 8;
constexpr qreal titlePointSize = 9.75;

QLineEdit* createLineEdit(QWidget* parent, const QString& name, const QRect& geometry, const QString& accessibleName)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    edit->setAccessibleName(accessibleName);
    return edit;
}

// An input takes whatever is typed or pasted, however long: the calculation reads
// only the number at its start.
QLineEdit* createInput(QWidget* parent, const QString& name, const QRect& geometry, const QString& accessibleName)
{
    QLineEdit* edit = createLineEdit(parent, name, geometry, accessibleName);
    edit->setMaxLength(std::numeric_limits<int>::max());
    return edit;
}

// A result box: no typing, but its text can be selected and copied, and it takes the
// focus in its turn. The button-face background tells it apart from the inputs.
QLineEdit* createResultBox(QWidget* parent, const QString& name, const QRect& geometry, const QString& accessibleName)
{
    QLineEdit* edit = createLineEdit(parent, name, geometry, accessibleName);
    edit->setReadOnly(true);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    edit->setPalette(palette);
    return edit;
}

QLabel* createLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLabel* createCaption(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    QLabel* label = createLabel(parent, name, text, geometry);
    label->setFont(captionFont(captionPointSize));
    return label;
}

}  // namespace

BearingWindow::BearingWindow(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Подшипник"));
    resize(designClientSize);

    createInputs();
    createSizingButton();
    createResultFrame();
    createLengthControls();
    createLabels();
    createSketch();
    fillMaterialList();
    connectControls();

    // Becomes the focus as soon as the window is first shown.
    load_->setFocus();
}

void BearingWindow::createInputs()
{
    auto* title = new QLabel(QStringLiteral("Исходные данные"), this);
    title->setObjectName(QStringLiteral("Label1"));
    title->setGeometry(fromTwips(2520, 120, 5175, 375));
    title->setFont(captionFont(titlePointSize));
    title->setAlignment(Qt::AlignCenter);
    title->setFrameStyle(QFrame::StyledPanel | QFrame::Plain);

    load_ = createInput(
        this, QStringLiteral("Text1(0)"), fromTwips(4800, 600, 1695, 375), QStringLiteral("Радиальное усилие"));
    frequency_ = createInput(
        this, QStringLiteral("Text1(3)"), fromTwips(4800, 1080, 1695, 375), QStringLiteral("Частота вращения"));

    materials_ = new QListWidget(this);
    materials_->setObjectName(QStringLiteral("List1"));
    materials_->setGeometry(fromTwips(4800, 1620, 2895, 645));
    materials_->setSelectionMode(QAbstractItemView::SingleSelection);
    materials_->setAccessibleName(QStringLiteral("Материал подшипника"));
    // The list is only three lines high; in the regular face "Металлофторопластовая
    // лента" needs a horizontal scroll bar, which would leave room for a line and a half.
    materials_->setFont(condensedFont(listPointSize));
}

void BearingWindow::createSizingButton()
{
    sizingButton_ = new QPushButton(QStringLiteral("Расчет характеристик подшипника"), this);
    sizingButton_->setObjectName(QStringLiteral("cmdGeomCalc"));
    sizingButton_->setGeometry(fromTwips(2520, 2460, 5175, 495));
    // Enter and keypad Enter press a focused button, as Space does. Only a dialog hands
    // Enter on from an input box to a button, so in the boxes here it still does nothing.
    sizingButton_->setAutoDefault(true);
}

void BearingWindow::createResultFrame()
{
    resultFrame_ = new QGroupBox(frameCaption(), this);
    resultFrame_->setObjectName(QStringLiteral("fraCharact"));
    resultFrame_->setGeometry(fromTwips(120, 3120, 7575, 1455));

    // Positions inside the frame count from the frame's own top left corner.
    maxDiameterLine_ = createResultBox(resultFrame_, QStringLiteral("txtMaxDiam"), fromTwips(120, 360, 4335, 375),
        QStringLiteral("Максимальный диаметр"));
    minLengthLine_ = createResultBox(resultFrame_, QStringLiteral("txtMinLength"), fromTwips(120, 840, 4335, 375),
        QStringLiteral("Минимальная длина"));
    maxTemperature_ = createResultBox(resultFrame_, QStringLiteral("Text1(4)"), fromTwips(4680, 840, 2055, 375),
        QStringLiteral("Максимальная температура"));
    createCaption(resultFrame_, QStringLiteral("Label2(4)"), QStringLiteral("Максимальная температура"),
        fromTwips(4680, 360, 2535, 375));
    createLabel(resultFrame_, QStringLiteral("Label4(2)"), QStringLiteral("°С"), fromTwips(6960, 960, 255, 255));
}

void BearingWindow::createLengthControls()
{
    length_ = createInput(this, QStringLiteral("Text2"), fromTwips(5640, 4800, 1455, 375), QStringLiteral("Длина"));

    diameterButton_ = new WrappingButton(QStringLiteral("Расчет минимального диаметра в зависимости от длины"), this);
    diameterButton_->setObjectName(QStringLiteral("Command1"));
    diameterButton_->setGeometry(fromTwips(120, 4800, 2895, 975));
    diameterButton_->setAutoDefault(true);

    minDiameterOnLength_ = createResultBox(this, QStringLiteral("txtMinDiamOnLength"), fromTwips(5640, 5400, 1455, 405),
        QStringLiteral("Минимальный диаметр"));
}

void BearingWindow::createLabels()
{
    createCaption(
        this, QStringLiteral("Label2(0)"), QStringLiteral("Радиальное усилие:"), fromTwips(2520, 720, 2055, 255));
    createCaption(
        this, QStringLiteral("Label2(3)"), QStringLiteral("Частота вращения:"), fromTwips(2520, 1200, 2055, 255));
    createCaption(
        this, QStringLiteral("Label2(5)"), QStringLiteral("Материал подшипника:"), fromTwips(2520, 1680, 2055, 255));
    createLabel(this, QStringLiteral("Label4(0)"), QStringLiteral("об/мин"), fromTwips(6720, 1200, 615, 255));
    createLabel(this, QStringLiteral("Label4(1)"), QStringLiteral("Н"), fromTwips(6720, 720, 615, 255));
    createCaption(this, QStringLiteral("Label2(2)"), QStringLiteral("Длина:"), fromTwips(3240, 4920, 1215, 300));
    createCaption(
        this, QStringLiteral("Label2(1)"), QStringLiteral("Минимальный диаметр:"), fromTwips(3240, 5520, 2175, 300));
    createLabel(this, QStringLiteral("Label6(0)"), QStringLiteral("мм"), fromTwips(7320, 5520, 375, 255));
    createLabel(this, QStringLiteral("Label6(1)"), QStringLiteral("мм"), fromTwips(7320, 4920, 375, 255));
}

void BearingWindow::createSketch()
{
    auto* sketch = new QLabel(this);
    sketch->setObjectName(QStringLiteral("Image1"));
    sketch->setGeometry(fromTwips(120, 120, 2175, 2775));
    // The drawing fills its box exactly, at the cost of a slight change of aspect ratio.
    sketch->setScaledContents(true);
    sketch->setPixmap(QPixmap(QStringLiteral(":/sketch/bearing-sketch.gif")));
    sketch->setAccessibleName(QStringLiteral("Эскиз подшипника"));
}

void BearingWindow::fillMaterialList()
{
    // Headers and blank lines select no material.
    for (const MaterialListItem& item : materialListItems) {
        materials_->addItem(fromUtf8(item.isMaterial() ? catalogue_.row(item.row).name : item.header));
    }
}

void BearingWindow::connectControls()
{
    setTabOrder(load_, frequency_);
    setTabOrder(frequency_, materials_);
    setTabOrder(materials_, sizingButton_);
    setTabOrder(sizingButton_, maxDiameterLine_);
    setTabOrder(maxDiameterLine_, minLengthLine_);
    setTabOrder(minLengthLine_, maxTemperature_);
    setTabOrder(maxTemperature_, length_);
    setTabOrder(length_, diameterButton_);
    setTabOrder(diameterButton_, minDiameterOnLength_);

    connect(materials_, &QListWidget::itemSelectionChanged, this, &BearingWindow::onMaterialSelectionChanged);
    connect(sizingButton_, &QPushButton::clicked, this, &BearingWindow::onSizingClicked);
    connect(diameterButton_, &QPushButton::clicked, this, &BearingWindow::onDiameterForLengthClicked);
}

void BearingWindow::onMaterialSelectionChanged()
{
    // Results of another material must not stay on screen beside this one's name.
    maxDiameterLine_->clear();
    minLengthLine_->clear();

    const std::int16_t row = catalogue_.findMaterial(selectedMaterial().toStdString());
    if (row == MaterialCatalogue::noMaterial) {
        maxTemperature_->clear();
        resultFrame_->setTitle(frameCaption());
        return;
    }
    const MaterialRecord& material = catalogue_.row(row);
    maxTemperature_->setText(fromUtf8(formatLocale(material.maxTemperature)));
    resultFrame_->setTitle(
        frameCaption() + QStringLiteral(" (материал - ") + fromUtf8(material.name) + QLatin1Char(')'));
}

void BearingWindow::onSizingClicked() { calculateSizing(catalogue_, state_, *this); }

void BearingWindow::onDiameterForLengthClicked()
{
    calculateDiameterForLength(catalogue_, state_, *this, QLocale().decimalPoint().toStdString());
}

QString BearingWindow::selectedMaterial() const
{
    const QList<QListWidgetItem*> selected = materials_->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

QLineEdit* BearingWindow::box(Control control) const
{
    switch (control) {
    case Control::Load: return load_;
    case Control::Frequency: return frequency_;
    case Control::Length: return length_;
    case Control::MaxDiameterLine: return maxDiameterLine_;
    case Control::MinLengthLine: return minLengthLine_;
    case Control::MinDiameterOnLength: return minDiameterOnLength_;
    case Control::MaterialList: break;
    }
    return nullptr;
}

std::string BearingWindow::text(Control control) const
{
    if (control == Control::MaterialList) {
        return selectedMaterial().toStdString();
    }
    return box(control)->text().toStdString();
}

void BearingWindow::setText(Control control, std::string_view text)
{
    // The list's items are fixed; the calculations write only to text boxes.
    if (QLineEdit* edit = box(control)) {
        edit->setText(fromUtf8(text));
    }
}

void BearingWindow::showMessage(std::string_view text, std::string_view title, MessageIcon icon)
{
    ui::showMessage(this, fromUtf8(text), fromUtf8(title),
        icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::Information);
}

}  // namespace bearing::ui
