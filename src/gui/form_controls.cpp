#include "gui/form_controls.h"

#include <algorithm>
#include <string_view>

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "job/option_table.h"

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
    {"Frame6", nullptr, 2},
};

constexpr const char* kListToolTip =
    "Drag and drop files here. Double-click item to remove it. Move | line to right and out "
    "of window to reveal full names.";

QPushButton* makeButton(QWidget& form, const char* name, const char* caption)
{
    auto* button = new QPushButton(tr(caption), &form);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
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
    list->setMinimumWidth(360);
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
    }
    widget->setObjectName(fromView(row.name));
    return widget;
}

/// Lays `contents` into `frame` top-down, `columns` to a row; the rows keep to the top.
QGridLayout* layFrame(QWidget& frame, const std::vector<QWidget*>& contents, int columns)
{
    auto* grid = new QGridLayout(&frame);
    int index = 0;
    for (QWidget* widget : contents) {
        grid->addWidget(widget, index / columns, index % columns);
        ++index;
    }
    grid->setRowStretch((index + columns - 1) / columns, 1);
    return grid;
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
            PushButton6, PushButton7, PushButton9};
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
    controls.PushButton1 = makeButton(form, "PushButton1", "Add VCF File(s)");
    controls.PushButton4 = makeButton(form, "PushButton4", "Add All VCF File(s) In Folder");
    controls.PushButton6 = makeButton(form, "PushButton6", "Clear List");
    controls.PushButton7 = makeButton(form, "PushButton7", "Load Sample/Example Files");
    controls.PushButton2 = makeButton(form, "PushButton2", "Start Converting");
    controls.PushButton3 = makeButton(form, "PushButton3", "?");
    controls.PushButton9 = makeButton(form, "PushButton9", "...");
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
    frameGrids["Frame2"]->addWidget(controls.PushButton3, 0, 2, Qt::AlignRight | Qt::AlignTop);
    controls.PushButton3->setFixedWidth(controls.PushButton3->sizeHint().height() + 4);
    controls.PushButton9->setFixedWidth(controls.PushButton9->sizeHint().height() + 12);
    QGridLayout* folderRow = frameGrids["Frame6"];
    folderRow->setContentsMargins(22, 0, 0, 0);  // under the option button's text
    folderRow->setColumnStretch(0, 1);

    auto* formatAndSeparator = new QHBoxLayout;
    formatAndSeparator->addWidget(frameWidgets["Frame1"]);
    formatAndSeparator->addWidget(frameWidgets["Frame3"]);
    auto* options = new QVBoxLayout;
    options->addLayout(formatAndSeparator);
    for (const char* name : {"Frame2", "Frame5", "Frame4", "Frame7"})
        options->addWidget(frameWidgets[name]);
    options->addStretch(1);

    auto* listButtons = new QHBoxLayout;
    listButtons->setSpacing(8);
    listButtons->addWidget(controls.PushButton1);
    listButtons->addWidget(controls.PushButton4);
    listButtons->addWidget(controls.PushButton7);
    listButtons->addStretch(1);
    listButtons->addWidget(controls.PushButton6);

    controls.PushButton2->setMinimumHeight(40);
    QFont bold = controls.PushButton2->font();
    bold.setBold(true);
    controls.PushButton2->setFont(bold);

    auto* grid = new QGridLayout(&form);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(12);
    grid->addWidget(controls.ListView1, 0, 0);
    grid->addLayout(options, 0, 1);
    grid->addLayout(listButtons, 1, 0);
    grid->addWidget(controls.ProgressBar1, 2, 0);
    grid->addWidget(controls.PushButton2, 1, 1, 2, 1);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);
    return controls;
}

}  // namespace brimwell
