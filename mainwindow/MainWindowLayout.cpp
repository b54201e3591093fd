// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowLayout.h"

#include "CaptionFitting.h"
#include "ChartCategory.h"
#include "ChartViewer.h"
#include "FormBuilder.h"
#include "GridCell.h"
#include "IcaoCodeBox.h"
#include "LinkLabel.h"
#include "Texts.h"
#include "VisiblePart.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolButton>
#include <type_traits>
#include <vector>

namespace mainwindow {

namespace {

using resources::Picture;
using enum ControlKind;

template <auto Member> void bindTo(MainWindowControls &controls, QWidget *control, int)
{
    using Control = std::remove_pointer_t<std::remove_reference_t<decltype(controls.*Member)>>;
    controls.*Member = qobject_cast<Control *>(control);
}

void bindGridCell(MainWindowControls &controls, QWidget *control, int slot)
{
    controls.lblRwy[slot] = qobject_cast<GridCell *>(control);
}

void bindOption(MainWindowControls &controls, QWidget *control, int index)
{
    controls.Option1[index] = qobject_cast<QRadioButton *>(control);
}

struct FrameRow {
    const char *name;
    const char16_t *caption;
    desktop::TwipsRect rect;
    FontRole font;
    QGroupBox *MainWindowControls::*member;
};

// Frames on the window, bottom of the stacking order first.
constexpr FrameRow FrameTable[] = {
    {"Frame5", u"", {5400, 0, 7695, 10575}, FontRole::FrameLarge, &MainWindowControls::Frame5},
    {"Frame6",
     u"SELECT PROCEDURES",
     {5400, 0, 7695, 2415},
     FontRole::FrameSmall,
     &MainWindowControls::Frame6},
    {"Frame1", u"SELECT AIRPORT ", {0, 0, 5415, 2175}, FontRole::FrameLarge, &MainWindowControls::Frame1},
    {"Frame4", u"DATA AIRPORT", {0, 2160, 5415, 7215}, FontRole::FrameLarge, &MainWindowControls::Frame4},
    {"Frame3", u"MANAGEMENT", {0, 9360, 5415, 1215}, FontRole::FrameSmall, &MainWindowControls::Frame3},
    {"Frame2", u"INVISIBLE", {5400, 720, 5775, 9615}, FontRole::FrameLarge, &MainWindowControls::Frame2},
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
     .toolTip = u"Icao Code Airport",
     .bind = bindTo<&MainWindowControls::txtIcao>},
    {.name = "Label5",
     .kind = Heading,
     .rect = {2280, 240, 1575, 375},
     .caption = u"HEIGHT",
     .font = FontRole::HeadingEntry},
    {.name = "lblRwy",
     .index = 4,
     .kind = DataCell,
     .rect = {2280, 600, 1575, 495},
     .font = FontRole::GridCell,
     .bind = bindGridCell},
    {.name = "cmdElabora",
     .kind = PictureButton,
     .rect = {4320, 240, 975, 855},
     .caption = u"&Elaborates",
     .toolTip = u"Elaborates the procedures",
     .picture = Picture::Calculator,
     .enabled = false,
     .bind = bindTo<&MainWindowControls::cmdElabora>},
    {.name = "Label1",
     .kind = Heading,
     .rect = {240, 1200, 5055, 375},
     .caption = u"AIRPORT NAME",
     .font = FontRole::HeadingName},
    {.name = "lblRwy",
     .index = 1,
     .kind = DataCell,
     .rect = {240, 1560, 5055, 375},
     .font = FontRole::GridCell,
     .bind = bindGridCell},
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
     .kind = DataCell,
     .rect = {480, 480, 1935, 375},
     .font = FontRole::GridCell,
     .bind = bindGridCell},
    {.name = "lblRwy",
     .index = 3,
     .kind = DataCell,
     .rect = {3120, 480, 1935, 375},
     .font = FontRole::GridCell,
     .bind = bindGridCell},
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
                            .kind = DataCell,
                            .rect = {column.left, RunwayTop + RunwayPitch * k,
                                     narrow ? NarrowFrequencyWidth : column.width, RunwayCellHeight},
                            .font = FontRole::GridCell,
                            .bind = bindGridCell});
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
                            .kind = DataCell,
                            .rect = {120, 240, 1095, 375},
                            .font = FontRole::GridCell,
                            .bind = bindGridCell});
    }
    return rows;
}

// Where the option button of each chart category stands in "SELECT PROCEDURES", in reading order.
constexpr desktop::TwipsRect OptionPlaces[] = {
    {240, 240, 2295, 240},  {2640, 240, 2295, 240}, {5040, 240, 2175, 240}, {240, 720, 2295, 240},
    {2640, 720, 2175, 240}, {5040, 720, 2175, 240}, {240, 1320, 2655, 240},
};
static_assert(std::size(OptionPlaces) == airportdata::ChartCategories.size(),
              "every chart category needs the place of its option button");

std::vector<ControlRow> selectorTable()
{
    std::vector<ControlRow> rows;
    for (int index = 0; index < CategoryCount; ++index) {
        rows.push_back({.name = "Option1",
                        .index = index,
                        .kind = OptionButton,
                        .rect = OptionPlaces[index],
                        .caption = airportdata::ChartCategories[index].caption,
                        .font = FontRole::OptionButton,
                        .bind = bindOption});
    }
    return rows;
}

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
    {.name = "Picture1",
     .kind = Box,
     .rect = {0, 2400, 7695, 8295},
     .bind = bindTo<&MainWindowControls::Picture1>},
};

// The viewer's place in the table is taller than its box, and the box reaches below the window; the viewer
// is shrunk to the part that stays in view, so that a whole page and both scroll bars can be seen.
constexpr desktop::TwipsRect OpenPdfRect{0, 0, 7575, 12015};

const ControlRow Frame3Table[] = {
    {.name = "cmdStampa",
     .kind = PictureButton,
     .rect = {240, 240, 975, 855},
     .caption = u"&Print",
     .toolTip = u"Print the form",
     .picture = Picture::Printer,
     .bind = bindTo<&MainWindowControls::cmdStampa>},
    {.name = "cmdClean",
     .kind = PictureButton,
     .rect = {1320, 240, 855, 855},
     .caption = u"&Clean",
     .toolTip = u"Reset all fields",
     .picture = Picture::BucketAndMop,
     .bind = bindTo<&MainWindowControls::cmdClean>},
    {.name = "cmdLink",
     .kind = PictureButton,
     .rect = {2280, 240, 855, 855},
     .caption = u"&Link to FS",
     .toolTip = u"Link to FS9",
     .picture = Picture::AirlinerFs9,
     .enabled = false,
     .bind = bindTo<&MainWindowControls::cmdLink>},
    {.name = "cmdExit",
     .kind = PictureButton,
     .rect = {3240, 240, 975, 855},
     .caption = u"E&xit", // Alt+E is "&Elaborates"
     .toolTip = u"Exit application",
     .picture = Picture::ExitDoor,
     .bind = bindTo<&MainWindowControls::cmdExit>},
    {.name = "cmdInfo",
     .kind = PictureButton,
     .rect = {4320, 240, 855, 855},
     .caption = u"&Info",
     .toolTip = u"Info on the author",
     .picture = Picture::QuestionBadge,
     .bind = bindTo<&MainWindowControls::cmdInfo>},
};

// The image beneath every frame, at its own size.
constexpr desktop::TwipsRect Image2Rect{0, 2160, 5640, 9720};

// The information panel.
constexpr desktop::TwipsRect FraUscitaRect{2280, 1800, 6255, 5535};
constexpr desktop::TwipsRect PanelTitleRect{120, 240, 6075, 720};
constexpr desktop::TwipsRect AboutTextRect{120, 1080, 6015, 4320};
constexpr desktop::TwipsRect SupportAddressRect{2280, 2880, 3615, 375};
const ControlRow PanelButtonTable[] = {
    {.name = "Command2",
     .kind = PictureButton,
     .rect = {5040, 4440, 975, 855},
     .caption = u"&Exit",
     .toolTip = u"Exit application",
     .picture = Picture::ExitDoor,
     .bind = bindTo<&MainWindowControls::Command2>},
};

const QColor PanelBlue(0, 0, 192);
const QColor PanelYellow(255, 255, 0);

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

QLabel *createPanelLabel(QWidget *panel, const char *name, int index, const desktop::TwipsRect &rect)
{
    auto *label = new QLabel(panel);
    label->setObjectName(controlName(name, index));
    label->setTextFormat(Qt::PlainText);
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

    createControls(panel, PanelButtonTable, controls);
    panel->hide();
    return panel;
}

void buildChartSelector(QGroupBox *frame, MainWindowControls &controls)
{
    createControls(frame, selectorTable(), controls);
    controls.Option1Group = new QButtonGroup(frame);
    for (int index = 0; index < CategoryCount; ++index)
        controls.Option1Group->addButton(controls.Option1[index], index);
}

} // namespace

viewer::ChartViewer *buildChartViewer(MainWindowControls &controls, viewer::ChartRenderClient *charts,
                                      georef::PlacedCharts *places)
{
    auto *viewer = new viewer::ChartViewer(charts, controls.Picture1, places);
    viewer->setObjectName(QStringLiteral("openPDF"));
    viewer->hide();
    placeTwips(viewer, OpenPdfRect);
    desktop::shrinkToVisiblePart(viewer);
    viewer->setPlaceholderText(QStringLiteral("Choose a chart category"));
    // A widget built late joins the end of its window's tab chain. Tab reaches the viewer after the chart
    // categories and leaves it for the management commands, as if it had been built with the window: the
    // viewer and its controls move as one, the viewer taking focus through its page view.
    viewer->setFocusPolicy(Qt::StrongFocus);
    QWidget::setTabOrder(controls.Option1.back(), viewer);
    controls.openPDF = viewer;
    return viewer;
}

MainWindowControls buildMainWindow(QWidget *form)
{
    MainWindowControls controls;
    controls.Image2 = createImage2(form);
    for (const FrameRow &row : FrameTable)
        controls.*row.member = createFrame(form, row);

    createControls(controls.Frame1, Frame1Table, controls);
    createControls(controls.Frame4, Frame4HeadingTable, controls);
    createControls(controls.Frame4, runwayTable(), controls);
    createControls(controls.Frame2, hiddenSlotTable(controls), controls);

    buildChartSelector(controls.Frame6, controls);
    createControls(controls.Frame5, Frame5Table, controls);
    createControls(controls.Frame3, Frame3Table, controls);
    controls.fraUscita = createInformationPanel(form, controls);
    fitCaptions(form);

    // The stored start state: only the airport entry, the chart area and the picture beneath are shown.
    for (QWidget *hidden : {static_cast<QWidget *>(controls.Frame2), static_cast<QWidget *>(controls.Frame3),
                            static_cast<QWidget *>(controls.Frame4), static_cast<QWidget *>(controls.Frame6)})
        hidden->hide();
    return controls;
}

} // namespace mainwindow
