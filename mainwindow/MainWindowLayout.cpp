#include "mainwindow/MainWindowLayout.h"

#include "mainwindow/FormBuilder.h"
#include "mainwindow/IcaoCodeBox.h"
#include "mainwindow/LinkLabel.h"
#include "platform/ChartViewer.h"
#include "resources/Texts.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolButton>
#include <vector>

namespace mainwindow {

namespace {

using resources::Picture;
using enum ControlKind;

struct FrameRow {
    const char *name;
    const char16_t *caption;
    platform::TwipsRect rect;
    FontRole font;
};

// Frames on the window, bottom of the stacking order first.
constexpr FrameRow FrameTable[] = {
    {"Frame5", u"", {5400, 0, 7695, 10575}, FontRole::FrameLarge},
    {"Frame6", u"SELECT PROCEDURES", {5400, 0, 7695, 2415}, FontRole::FrameSmall},
    {"Frame1", u"SELECT AIRPORT ", {0, 0, 5415, 2175}, FontRole::FrameLarge},
    {"Frame4", u"DATA AIRPORT", {0, 2160, 5415, 7215}, FontRole::FrameLarge},
    {"Frame3", u"MANAGEMENT", {0, 9360, 5415, 1215}, FontRole::FrameSmall},
    {"Frame2", u"INVISIBLE", {5400, 720, 5775, 9615}, FontRole::FrameLarge},
};

const ControlRow Frame1Table[] = {
    {.name = "Label2",
     .kind = Heading,
     .rect = {240, 240, 1695, 375},
     .caption = u"ICAO CODE",
     .font = FontRole::HeadingEntry,
     .align = Qt::AlignLeft | Qt::AlignVCenter},
    {.name = "txtIcao",
     .kind = TextBox,
     .rect = {240, 600, 1695, 465},
     .font = FontRole::EntryBox,
     .toolTip = u"Icao Code Airport"},
    {.name = "Label5",
     .kind = Heading,
     .rect = {2280, 240, 1575, 375},
     .caption = u"HEIGHT",
     .font = FontRole::HeadingEntry},
    {.name = "lblRwy",
     .index = 4,
     .kind = GridCell,
     .rect = {2280, 600, 1575, 495},
     .font = FontRole::GridCell},
    {.name = "cmdElabora",
     .kind = PictureButton,
     .rect = {4320, 240, 975, 855},
     .caption = u"&Elaborates",
     .toolTip = u"Elaborates the procedures",
     .picture = Picture::Calculator,
     .enabled = false},
    {.name = "Label1",
     .kind = Heading,
     .rect = {240, 1200, 5055, 375},
     .caption = u"AIRPORT NAME",
     .font = FontRole::HeadingName},
    {.name = "lblRwy",
     .index = 1,
     .kind = GridCell,
     .rect = {240, 1560, 5055, 375},
     .font = FontRole::GridCell},
};

const ControlRow Frame4HeadingTable[] = {
    {.name = "Label3",
     .index = 0,
     .kind = Heading,
     .rect = {480, 240, 1935, 255},
     .caption = u"LONG",
     .font = FontRole::HeadingGrid},
    {.name = "Label4",
     .index = 0,
     .kind = Heading,
     .rect = {3120, 240, 1935, 255},
     .caption = u"LAT",
     .font = FontRole::HeadingGrid},
    {.name = "lblRwy",
     .index = 2,
     .kind = GridCell,
     .rect = {480, 480, 1935, 375},
     .font = FontRole::GridCell},
    {.name = "lblRwy",
     .index = 3,
     .kind = GridCell,
     .rect = {3120, 480, 1935, 375},
     .font = FontRole::GridCell},
    {.name = "Label8",
     .index = 0,
     .kind = Heading,
     .rect = {240, 960, 855, 495},
     .caption = u"RWY  N.",
     .font = FontRole::HeadingGrid},
    {.name = "Label7",
     .index = 0,
     .kind = Heading,
     .rect = {1320, 960, 1095, 495},
     .caption = u"LENGHT RWY",
     .font = FontRole::HeadingGrid},
    {.name = "Label6",
     .index = 1,
     .kind = Heading,
     .rect = {2640, 960, 1335, 495},
     .caption = u"     ILS      FREQ",
     .font = FontRole::HeadingGrid},
    {.name = "Label6",
     .index = 2,
     .kind = Heading,
     .rect = {4080, 960, 1215, 495},
     .caption = u"ILS COURSE",
     .font = FontRole::HeadingGrid},
};

// The runway table: twelve rows, one period of twelve slots each; four slots of a period are shown.
constexpr int RunwayRows = 12;
constexpr int FirstRunwaySlot = 6;
constexpr int SlotsPerRunway = 12;
constexpr int RunwayTop = 1440;
constexpr int RunwayPitch = 480;
constexpr int RunwayCellHeight = 375;

struct RunwayColumn {
    int slotOffset;
    int left;
    int width;
};

constexpr RunwayColumn RunwayColumns[] = {{0, 240, 855}, {2, 1320, 1095}, {4, 2640, 1335}, {5, 4080, 1215}};
constexpr int NarrowFrequencyFromRow = 10; // the frequency cells of the last two rows are narrower
constexpr int NarrowFrequencyWidth = 1215;

std::vector<ControlRow> runwayTable()
{
    std::vector<ControlRow> rows;
    for (int k = 0; k < RunwayRows; ++k) {
        for (const RunwayColumn &column : RunwayColumns) {
            const bool narrow = column.slotOffset == 4 && k >= NarrowFrequencyFromRow;
            rows.push_back({.name = "lblRwy",
                            .index = FirstRunwaySlot + SlotsPerRunway * k + column.slotOffset,
                            .kind = GridCell,
                            .rect = {column.left, RunwayTop + RunwayPitch * k,
                                     narrow ? NarrowFrequencyWidth : column.width, RunwayCellHeight},
                            .font = FontRole::GridCell});
        }
    }
    return rows;
}

// Slots that no frame shows: their labels live in the never-shown frame "INVISIBLE".
std::vector<ControlRow> hiddenSlotTable(const MainWindowControls &shown)
{
    std::vector<ControlRow> rows;
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (!shown.lblRwy[slot])
            rows.push_back({.name = "lblRwy",
                            .index = slot,
                            .kind = GridCell,
                            .rect = {120, 240, 1095, 375},
                            .font = FontRole::GridCell});
    }
    return rows;
}

const ControlRow Frame6Table[] = {
    {.name = "Option1",
     .index = 0,
     .kind = OptionButton,
     .rect = {240, 240, 2295, 240},
     .caption = u"AERODROME  DATA",
     .font = FontRole::OptionButton},
    {.name = "Option1",
     .index = 1,
     .kind = OptionButton,
     .rect = {2640, 240, 2295, 240},
     .caption = u"AERODROME CHART",
     .font = FontRole::OptionButton},
    {.name = "Option1",
     .index = 2,
     .kind = OptionButton,
     .rect = {5040, 240, 2175, 240},
     .caption = u"OBSTACLE CHART",
     .font = FontRole::OptionButton},
    {.name = "Option1",
     .index = 3,
     .kind = OptionButton,
     .rect = {240, 720, 2295, 240},
     .caption = u"STAR PROCEDURES",
     .font = FontRole::OptionButton},
    {.name = "Option1",
     .index = 4,
     .kind = OptionButton,
     .rect = {2640, 720, 2175, 240},
     .caption = u"VISUAL AND I.A.C.",
     .font = FontRole::OptionButton},
    {.name = "Option1",
     .index = 5,
     .kind = OptionButton,
     .rect = {5040, 720, 2175, 240},
     .caption = u"SID PROCEDURES",
     .font = FontRole::OptionButton},
    {.name = "Option1",
     .index = 6,
     .kind = OptionButton,
     .rect = {240, 1320, 2655, 240},
     .caption = u"LOCAL RESTRICTIONS",
     .font = FontRole::OptionButton},
};

const ControlRow Frame5Table[] = {
    {.name = "Image1",
     .index = 1,
     .kind = StretchedPicture,
     .rect = {0, 120, 7650, 3375},
     .picture = Picture::Banner},
    {.name = "Image1",
     .index = 2,
     .kind = StretchedPicture,
     .rect = {0, 3480, 7650, 6975},
     .picture = Picture::BoxCover},
    {.name = "Picture1", .kind = Box, .rect = {0, 2400, 7695, 8295}},
};

// The viewer is taller than its box; the box clips it.
constexpr platform::TwipsRect OpenPdfRect{0, 0, 7575, 12015};

const ControlRow Frame3Table[] = {
    {.name = "cmdStampa",
     .kind = PictureButton,
     .rect = {240, 240, 975, 855},
     .caption = u"&Print",
     .toolTip = u"Print the form",
     .picture = Picture::Printer},
    {.name = "cmdClean",
     .kind = PictureButton,
     .rect = {1320, 240, 855, 855},
     .caption = u"&Clean",
     .toolTip = u"Reset all fields",
     .picture = Picture::BucketAndMop},
    {.name = "cmdLink",
     .kind = PictureButton,
     .rect = {2280, 240, 855, 855},
     .caption = u"&Link to FS",
     .toolTip = u"Link to FS9",
     .picture = Picture::AirlinerFs9,
     .enabled = false},
    {.name = "cmdExit",
     .kind = PictureButton,
     .rect = {3240, 240, 975, 855},
     .caption = u"&Exit",
     .toolTip = u"Exit application",
     .picture = Picture::ExitDoor},
    {.name = "cmdInfo",
     .kind = PictureButton,
     .rect = {4320, 240, 855, 855},
     .caption = u"&Info",
     .toolTip = u"Info on the author",
     .picture = Picture::QuestionBadge},
};

// The image beneath every frame, at its own size.
constexpr platform::TwipsRect Image2Rect{0, 2160, 5640, 9720};

// The information panel.
constexpr platform::TwipsRect FraUscitaRect{2280, 1800, 6255, 5535};
constexpr platform::TwipsRect PanelTitleRect{120, 240, 6075, 720};
constexpr platform::TwipsRect AboutTextRect{120, 1080, 6015, 4320};
constexpr platform::TwipsRect SupportAddressRect{2280, 2880, 3615, 375};
const ControlRow PanelButtonTable[] = {
    {.name = "Command2",
     .kind = PictureButton,
     .rect = {5040, 4440, 975, 855},
     .caption = u"&Exit",
     .toolTip = u"Exit application",
     .picture = Picture::ExitDoor},
};

const QColor PanelBlue(0, 0, 192);
const QColor PanelYellow(255, 255, 0);

template <typename T> T *child(QWidget *container, const char *name, int index = NoIndex)
{
    return container->findChild<T *>(controlName(name, index), Qt::FindDirectChildrenOnly);
}

QGroupBox *createFrame(QWidget *form, const FrameRow &row)
{
    auto *frame = new QGroupBox(QString::fromUtf16(row.caption), form);
    frame->setObjectName(QString::fromLatin1(row.name));
    frame->setFont(formFont(row.font));
    fillBackground(frame, QApplication::palette().color(QPalette::Button));
    placeTwips(frame, row.rect);
    return frame;
}

QLabel *createImage2(QWidget *form)
{
    auto *image = new QLabel(form);
    image->setObjectName(QStringLiteral("Image2"));
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(image, Image2Rect);
    QPixmap pixmap = resources::render(Picture::ApproachChart, image->size() * image->devicePixelRatioF());
    pixmap.setDevicePixelRatio(image->devicePixelRatioF());
    image->setPixmap(pixmap);
    return image;
}

QLabel *createPanelLabel(QWidget *panel, const char *name, int index, const platform::TwipsRect &rect)
{
    auto *label = new QLabel(panel);
    label->setObjectName(controlName(name, index));
    label->setFont(formFont(FontRole::Panel));
    placeTwips(label, rect);
    return label;
}

void setColours(QWidget *widget, const QColor &text, const QColor &background)
{
    fillBackground(widget, background);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
}

// The about text's long runs of blanks fill out the line they stand in, making room for the support
// address beside "Email to:" and setting the credit line apart. Fonts differ in the width of a blank, so
// each such run ends its line and leaves one empty line, whatever the font.
QString aboutDisplayText(const QString &aboutText)
{
    static const QRegularExpression lineFiller(QStringLiteral(" {10,}"));
    return QString(aboutText).replace(lineFiller, QStringLiteral("\n\n"));
}

QFrame *createInformationPanel(QWidget *form, MainWindowControls &controls)
{
    auto *panel = new QFrame(form);
    panel->setObjectName(QStringLiteral("fraUscita"));
    setColours(panel, PanelYellow, QApplication::palette().color(QPalette::WindowText));
    placeTwips(panel, FraUscitaRect);

    QLabel *title = createPanelLabel(panel, "Label3", 1, PanelTitleRect);
    title->setText(resources::mainWindowCaption());
    title->setAlignment(Qt::AlignCenter);
    title->setWordWrap(true);
    setColours(title, PanelBlue, QApplication::palette().color(QPalette::Button));

    QLabel *about = createPanelLabel(panel, "Label6", 0, AboutTextRect);
    about->setText(aboutDisplayText(resources::aboutText()));
    about->setTextFormat(Qt::PlainText);
    about->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    about->setWordWrap(true);
    setColours(about, Qt::black, PanelYellow);

    controls.supportAddress = new LinkLabel(panel);
    controls.supportAddress->setObjectName(controlName("Label4", 1));
    controls.supportAddress->setText(resources::supportAddress());
    controls.supportAddress->setFont(formFont(FontRole::PanelLink));
    controls.supportAddress->setAlignment(Qt::AlignCenter);
    setColours(controls.supportAddress, PanelBlue, PanelYellow);
    placeTwips(controls.supportAddress, SupportAddressRect);

    createControls(panel, PanelButtonTable);
    controls.Command2 = child<QToolButton>(panel, "Command2");
    panel->hide();
    return panel;
}

void collectGrid(QWidget *container, MainWindowControls &controls)
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (auto *cell = child<QLabel>(container, "lblRwy", slot))
            controls.lblRwy[slot] = cell;
    }
}

void buildChartSelector(QGroupBox *frame, MainWindowControls &controls)
{
    createControls(frame, Frame6Table);
    controls.Option1Group = new QButtonGroup(frame);
    for (int index = 0; index < CategoryCount; ++index) {
        controls.Option1[index] = child<QRadioButton>(frame, "Option1", index);
        controls.Option1Group->addButton(controls.Option1[index], index);
    }
}

void buildChartArea(QGroupBox *frame, MainWindowControls &controls)
{
    createControls(frame, Frame5Table);
    controls.Picture1 = child<QWidget>(frame, "Picture1");
    controls.openPDF = new platform::ChartViewer(controls.Picture1);
    controls.openPDF->setObjectName(QStringLiteral("openPDF"));
    placeTwips(controls.openPDF, OpenPdfRect);
}

void buildManagement(QGroupBox *frame, MainWindowControls &controls)
{
    createControls(frame, Frame3Table);
    controls.cmdStampa = child<QToolButton>(frame, "cmdStampa");
    controls.cmdClean = child<QToolButton>(frame, "cmdClean");
    controls.cmdLink = child<QToolButton>(frame, "cmdLink");
    controls.cmdExit = child<QToolButton>(frame, "cmdExit");
    controls.cmdInfo = child<QToolButton>(frame, "cmdInfo");
}

} // namespace

MainWindowControls buildMainWindow(QWidget *form)
{
    MainWindowControls controls;
    controls.Image2 = createImage2(form);
    for (const FrameRow &row : FrameTable)
        createFrame(form, row);
    controls.Frame1 = child<QGroupBox>(form, "Frame1");
    controls.Frame2 = child<QGroupBox>(form, "Frame2");
    controls.Frame3 = child<QGroupBox>(form, "Frame3");
    controls.Frame4 = child<QGroupBox>(form, "Frame4");
    controls.Frame5 = child<QGroupBox>(form, "Frame5");
    controls.Frame6 = child<QGroupBox>(form, "Frame6");

    createControls(controls.Frame1, Frame1Table);
    controls.txtIcao = child<IcaoCodeBox>(controls.Frame1, "txtIcao");
    controls.cmdElabora = child<QToolButton>(controls.Frame1, "cmdElabora");
    createControls(controls.Frame4, Frame4HeadingTable);
    createControls(controls.Frame4, runwayTable());
    collectGrid(controls.Frame1, controls);
    collectGrid(controls.Frame4, controls);
    createControls(controls.Frame2, hiddenSlotTable(controls));
    collectGrid(controls.Frame2, controls);

    buildChartSelector(controls.Frame6, controls);
    buildChartArea(controls.Frame5, controls);
    buildManagement(controls.Frame3, controls);
    controls.fraUscita = createInformationPanel(form, controls);

    // The stored start state: only the airport entry, the chart area and the picture beneath are shown.
    for (QWidget *hidden : {static_cast<QWidget *>(controls.Frame2), static_cast<QWidget *>(controls.Frame3),
                            static_cast<QWidget *>(controls.Frame4), static_cast<QWidget *>(controls.Frame6)})
        hidden->hide();
    return controls;
}

} // namespace mainwindow
