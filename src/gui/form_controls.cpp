#include "gui/form_controls.h"

#include <algorithm>
#include <string_view>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTreeWidget>

#include "gui/flow_layout.h"
#include "job/option_table.h"
#include "vcard/csv/text_encoder.h"

namespace brimwell {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("Form1", text);
}

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

/// One push button: its name, its caption and the key that presses it. The captions stay
/// as they are (no '&' marks), so the key is shown in the button's tooltip instead.
struct ButtonSpec {
    QPushButton* FormControls::*member;
    const char* name;
    const char* caption;
    const char* shortcut;  ///< in QKeySequence's portable form
};

constexpr ButtonSpec kButtons[] = {
    {&FormControls::PushButton1, "PushButton1", "Add VCF File(s)", "Alt+A"},
    {&FormControls::PushButton4, "PushButton4", "Add All VCF File(s) In Folder", "Alt+F"},
    {&FormControls::PushButton7, "PushButton7", "Load Sample/Example Files", "Alt+L"},
    {&FormControls::PushButton6, "PushButton6", "Clear List", "Alt+C"},
    {&FormControls::PushButton2, "PushButton2", "Start Converting", "Alt+S"},
    {&FormControls::PushButton3, "PushButton3", "?", "F1"},
    {&FormControls::PushButton9, "PushButton9", "...", "Alt+B"},
    {&FormControls::openOutputFolder, "OpenOutputFolder", "Open Output Folder", "Alt+O"},
};

/// One frame of the window; a frame without a caption is drawn without a border.
struct FrameSpec {
    std::string_view name;
    const char* caption;
    int columns;  ///< controls per row
};

constexpr FrameSpec kFrames[] = {
    {"Frame1", "Format", 1},
    {"Frame3", "Separator", 1},
    {"Frame2", "Filter: Keep Only These Fields", 2},
    {"Frame5", "Additional Options", 1},
    {"Frame4", "Save Options", 1},
    {"Frame7", "Save Option", 1},
    {"Frame8", "Encoding", 1},
    {"Frame6", nullptr, 2},
};

/// The captioned frames on the options grid: row, column, columns spanned. Format and
/// Separator share the first row; the encoding choices of Format's last three layouts
/// come right under them.
struct FramePlace {
    std::string_view name;
    int row;
    int column;
    int span;
};

constexpr FramePlace kFramePlaces[] = {
    {"Frame1", 0, 0, 1}, {"Frame3", 0, 1, 1}, {"Frame8", 1, 0, 2}, {"Frame2", 2, 0, 2},
    {"Frame5", 3, 0, 2}, {"Frame4", 4, 0, 2}, {"Frame7", 5, 0, 2},
};

/// The same spacing in every frame, so that the frames' rows line up.
constexpr int kFrameRowSpacing = 4;
constexpr int kFrameColumnSpacing = 14;
constexpr int kFrameSpacing = 10;

constexpr const char* kEncodingToolTip =
    "Encoding of the Google Contacts, Outlook and spreadsheet CSVs. A character that a code "
    "page lacks is written as ? and counted.";
constexpr const char* kFallbackToolTip =
    "Code page of 8-bit vCard text that names no charset and is not UTF-8.";

constexpr const char* kListToolTip =
    "Drag and drop files here. Double-click item to remove it. Move | line to right and out "
    "of window to reveal full names.";

/// The options column: as wide as its frames, as tall as the window allows, scrolling
/// when the window is shorter than the frames.
class OptionsArea : public QScrollArea {
public:
    explicit OptionsArea(QWidget* parent) : QScrollArea(parent)
    {
        setObjectName(QStringLiteral("OptionsArea"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setFocusPolicy(Qt::NoFocus);
        // A control reached with the keyboard scrolls into view.
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now != nullptr && widget() != nullptr && widget()->isAncestorOf(now))
                ensureWidgetVisible(now);
        });
    }

    QSize sizeHint() const override { return {fullWidth(), widget()->sizeHint().height()}; }
    QSize minimumSizeHint() const override { return {fullWidth(), 6 * fontMetrics().height()}; }

private:
    int fullWidth() const
    {
        return widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width();
    }
};

QPushButton* makeButton(QWidget& form, const ButtonSpec& spec)
{
    auto* button = new QPushButton(tr(spec.caption), &form);
    button->setObjectName(QString::fromLatin1(spec.name));
    button->setAutoDefault(false);
    const QKeySequence key(QString::fromLatin1(spec.shortcut));
    auto* shortcut = new QShortcut(key, button);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] { button->animateClick(); });
    button->setToolTip(key.toString(QKeySequence::NativeText));
    button->setAccessibleDescription(
        tr("Shortcut: %1").arg(key.toString(QKeySequence::NativeText)));
    return button;
}

QTreeWidget* makeList(QWidget& form)
{
    auto* list = new QTreeWidget(&form);
    list->setObjectName(QStringLiteral("ListView1"));
    list->setToolTip(tr(kListToolTip));
    list->setColumnCount(1);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setTextElideMode(Qt::ElideMiddle);
    list->setDragEnabled(false);  // items are moved by the list's own mouse handling
    list->setAcceptDrops(true);
    list->viewport()->setAcceptDrops(true);
    list->header()->setStretchLastSection(false);
    list->setMinimumSize(240, 120);
    return list;
}

/// The control of one option-table row, named and captioned as the table says.
QWidget* makeChoice(QWidget& form, const OptionControl& row, FormControls& controls,
                    std::map<std::string_view, QButtonGroup*>& groups)
{
    QWidget* widget = nullptr;
    switch (row.kind) {
    case ControlKind::OptionButton: {
        auto*& group = groups[row.frame];
        if (group == nullptr)
            group = new QButtonGroup(&form);
        auto* button = new QRadioButton(fromView(row.caption), &form);
        group->addButton(button);
        controls.choices[row.control] = button;
        controls.groups[row.control] = group;
        widget = button;
        break;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(fromView(row.caption), &form);
        controls.choices[row.control] = box;
        widget = box;
        break;
    }
    case ControlKind::TextBox:
        controls.Text1 = new QLineEdit(&form);
        widget = controls.Text1;
        break;
    case ControlKind::ChoiceBox: {
        // A label and its list on one line; the list carries the control's name.
        auto* line = new QWidget(&form);
        auto* layout = new QHBoxLayout(line);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* list = new QComboBox(line);
        for (const std::string& name : vcard::csv::encodingNames())
            if (row.control == Control::Combo1 || name != "utf-8-bom")
                list->addItem(QString::fromStdString(name));
        list->setObjectName(fromView(row.name));
        list->setToolTip(row.control == Control::Combo1 ? tr(kEncodingToolTip)
                                                        : tr(kFallbackToolTip));
        auto* label = new QLabel(fromView(row.caption) + QStringLiteral(":"), line);
        label->setBuddy(list);
        layout->addWidget(label);
        layout->addWidget(list, 1);
        controls.lists[row.control] = list;
        return line;
    }
    }
    widget->setObjectName(fromView(row.name));
    return widget;
}

/// Lays `contents` into `frame` top-down, `columns` to a row; the rows keep to the top.
QGridLayout* layFrame(QWidget& frame, const std::vector<QWidget*>& contents, int columns)
{
    auto* grid = new QGridLayout(&frame);
    grid->setHorizontalSpacing(kFrameColumnSpacing);
    grid->setVerticalSpacing(kFrameRowSpacing);
    int index = 0;
    for (QWidget* widget : contents) {
        grid->addWidget(widget, index / columns, index % columns);
        ++index;
    }
    grid->setRowStretch((index + columns - 1) / columns, 1);
    return grid;
}

/// The widgets under `layout` that take focus by Tab, in reading order: a grid's cells row
/// by row, a box's or a flow's items in turn, each container's own contents where it sits.
void collectInLayoutOrder(QLayout* layout, std::vector<QWidget*>& order)
{
    std::vector<std::pair<std::pair<int, int>, QLayoutItem*>> items;
    auto* grid = qobject_cast<QGridLayout*>(layout);
    for (int index = 0; index < layout->count(); ++index) {
        int row = 0;
        int column = index;
        int rowSpan = 0;
        int columnSpan = 0;
        if (grid != nullptr)
            grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        items.push_back({{row, column}, layout->itemAt(index)});
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [cell, item] : items) {
        if (QLayout* inner = item->layout()) {
            collectInLayoutOrder(inner, order);
        } else if (QWidget* widget = item->widget()) {
            if (auto* area = qobject_cast<QScrollArea*>(widget); area && area->widget())
                widget = area->widget();
            if (widget->layout() != nullptr)
                collectInLayoutOrder(widget->layout(), order);
            else if ((widget->focusPolicy() & Qt::TabFocus) != 0)
                order.push_back(widget);
        }
    }
}

void setTabOrderByLayout(QWidget& form)
{
    std::vector<QWidget*> order;
    collectInLayoutOrder(form.layout(), order);
    for (std::size_t index = 1; index < order.size(); ++index)
        QWidget::setTabOrder(order[index - 1], order[index]);
}

}  // namespace

void ProgressBar::setLine(const QString& line)
{
    m_line = line;
    update();
}

std::vector<QPushButton*> FormControls::pushButtons() const
{
    return {PushButton1, PushButton2, PushButton3, PushButton4,
            PushButton6, PushButton7, PushButton9, openOutputFolder};
}

QString fileCountText(int count)
{
    if (count == 0)
        return tr("No files");
    return count == 1 ? tr("1 file") : tr("%1 files").arg(count);
}

FormControls buildForm(QWidget& form)
{
    FormControls controls;
    form.setObjectName(QStringLiteral("Form1"));
    QFont font = form.font();
    font.setFamilies({QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    form.setFont(font);

    controls.ListView1 = makeList(form);
    for (const ButtonSpec& spec : kButtons)
        controls.*spec.member = makeButton(form, spec);
    controls.openOutputFolder->hide();
    controls.fileCount = new QLabel(fileCountText(0), &form);
    controls.fileCount->setObjectName(QStringLiteral("FileCount"));
    controls.ProgressBar1 = new ProgressBar(&form);
    controls.ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    controls.ProgressBar1->setRange(0, 100);
    controls.ProgressBar1->setAlignment(Qt::AlignCenter);
    controls.ProgressBar1->setLine(tr("Progress Bar"));

    std::map<std::string_view, QButtonGroup*> groups;
    std::map<std::string_view, std::vector<QWidget*>> contents;
    for (const OptionControl& row : optionControls())
        contents[row.frame].push_back(makeChoice(form, row, controls, groups));

    controls.Frame6 = new QFrame(&form);
    controls.Frame6->setObjectName(QStringLiteral("Frame6"));
    contents["Frame6"].push_back(controls.PushButton9);
    // The folder box sits right under "Save results to this folder:", the option it serves.
    auto& saveOption = contents["Frame7"];
    saveOption.insert(
        std::find(saveOption.begin(), saveOption.end(), controls.choices[Control::Option9]) + 1,
        controls.Frame6);

    std::map<std::string_view, QGridLayout*> frameGrids;
    std::map<std::string_view, QWidget*> frameWidgets;
    for (const FrameSpec& spec : kFrames) {
        QWidget* frame = controls.Frame6;
        if (spec.caption != nullptr) {
            auto* box = new QGroupBox(tr(spec.caption), &form);
            box->setObjectName(fromView(spec.name));
            controls.frames.push_back(box);
            frame = box;
        }
        frameGrids[spec.name] = layFrame(*frame, contents[spec.name], spec.columns);
        frameWidgets[spec.name] = frame;
    }
    controls.Frame8 = static_cast<QGroupBox*>(frameWidgets["Frame8"]);
    frameGrids["Frame2"]->addWidget(controls.PushButton3, 0, 2, Qt::AlignRight | Qt::AlignTop);
    frameGrids["Frame2"]->setColumnStretch(2, 1);
    controls.PushButton3->setFixedWidth(controls.PushButton3->sizeHint().height() + 4);
    controls.PushButton9->setFixedWidth(controls.PushButton9->sizeHint().height() + 12);
    QGridLayout* folderRow = frameGrids["Frame6"];
    folderRow->setContentsMargins(22, 0, 0, 0);  // under the option button's text
    folderRow->setColumnStretch(0, 1);

    auto* options = new OptionsArea(&form);
    auto* panel = new QWidget(options);
    panel->setObjectName(QStringLiteral("OptionsPanel"));
    auto* optionsGrid = new QGridLayout(panel);
    optionsGrid->setContentsMargins(0, 0, 0, 0);
    optionsGrid->setSpacing(kFrameSpacing);
    for (const FramePlace& place : kFramePlaces)
        optionsGrid->addWidget(frameWidgets[place.name], place.row, place.column, 1, place.span);
    optionsGrid->setColumnStretch(0, 1);
    optionsGrid->setColumnStretch(1, 1);
    optionsGrid->setRowStretch(std::size(kFramePlaces), 1);
    options->setWidget(panel);

    auto* listButtons = new FlowLayout;
    listButtons->setSpacing(8);
    listButtons->addWidget(controls.PushButton1);
    listButtons->addWidget(controls.PushButton4);
    listButtons->addWidget(controls.PushButton7);
    listButtons->addWidget(controls.PushButton6);
    listButtons->setRightAlignedFrom(3);  // "Clear List" keeps apart from the adding buttons

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(controls.ProgressBar1, 1);
    progressRow->addWidget(controls.openOutputFolder);

    auto* left = new QVBoxLayout;
    left->addWidget(controls.ListView1, 1);
    left->addWidget(controls.fileCount);
    left->addLayout(listButtons);
    left->addLayout(progressRow);

    controls.PushButton2->setMinimumHeight(40);
    QFont bold = controls.PushButton2->font();
    bold.setBold(true);
    controls.PushButton2->setFont(bold);
    auto* right = new QVBoxLayout;
    right->addWidget(options, 1);
    right->addWidget(controls.PushButton2);

    auto* columns = new QHBoxLayout(&form);
    columns->setContentsMargins(12, 12, 12, 12);
    columns->setSpacing(12);
    columns->addLayout(left, 1);
    columns->addLayout(right);
    setTabOrderByLayout(form);
    return controls;
}

}  // namespace brimwell
