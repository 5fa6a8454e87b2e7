// The plug-in's dialogs on screen (offscreen): each opened by its own
// command, every control at its template's place showing the platform's
// state; real clicks and keys on the widgets become the lines the platform
// carries out. A grab of each dialog is left in the build tree.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/QTest>
#include <filesystem>
#include <functional>

#include "ZcUiListCtrl.h"
#include "ZcUiRichEdit.h"
#include "console/window/dialogs/ColorChoiceWindow.h"
#include "console/window/dialogs/DialogScreen.h"
#include "console/window/dialogs/DialogWindow.h"
#include "islands/D_Ron_wyspy.h"
#include "lights/Swiatla_dlg.h"
#include "markings/Arrows_dlg.h"
#include "markings/Linie_dlg.h"
#include "platform/editor/CommandLine.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/ResourceChain.h"
#include "resource.h"
#include "signs/SignDialog.h"
#include "signs/WiteTab_dlg.h"
#include "tests/support/DialogCommandTest.h"
#include "tests/support/TestPaths.h"
#include "tests/support/TestRegistry.h"

using namespace platform;

namespace {

// How long a step may take to give its line before the wait is given up
// (a failed step gives none): far beyond a click's few milliseconds.
constexpr int kStepTimeoutMs = 5000;

using Step = std::function<void()>;

bool actionQueued()
{
    if (auto* window = dynamic_cast<DialogWindow*>(shownDialogWindow()))
        return !window->actions().empty();
    if (auto* window = dynamic_cast<ColorChoiceWindow*>(shownDialogWindow()))
        return !window->actions().empty();
    return false;
}

// The window's side of the command line: a line a dialog waits for comes
// from its Qt dialog, after the test's next step did something on screen.
// Any other prompt ends the input, and with it the command.
class ScreenInput : public InputSource {
public:
    explicit ScreenInput(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        commandLine().reset();
        commandLine().setInput(this);
        m_timeout.setSingleShot(true);
        QObject::connect(&m_timeout, &QTimer::timeout, [] { stopWaitingForDialog(); });
    }
    ~ScreenInput() override
    {
        commandLine().setInput(nullptr);
        commandLine().reset();
        showRunningDialogs(nullptr);
    }
    ScreenInput(const ScreenInput&) = delete;
    ScreenInput& operator=(const ScreenInput&) = delete;

    std::optional<std::string_view> readLine(std::string_view) override
    {
        showRunningDialogs(nullptr);
        if (!dialogAwaitsAction()) {
            std::optional<std::string> answer = atOtherPrompt ? atOtherPrompt() : std::nullopt;
            if (!answer)
                return std::nullopt;
            lines.push_back(*answer);
            return lines.back();
        }
        // One step may hand on more than one line; the next acts when they are taken.
        if (!actionQueued()) {
            if (m_next == m_steps.size())
                return std::nullopt;
            QTimer::singleShot(0, m_steps[m_next++]);
        }
        m_timeout.start(kStepTimeoutMs);
        const std::optional<std::string> line = nextDialogAction(nullptr);
        m_timeout.stop();
        if (!line)
            return std::nullopt;
        lines.push_back(*line);
        return lines.back();
    }
    bool typed() const override { return false; }
    std::string where() const override { return "screen:" + std::to_string(m_next); }

    // The lines the screen handed on, in order.
    std::vector<std::string> lines;
    // The answer at a prompt that is not a dialog's (a point); nothing ends the input.
    std::function<std::optional<std::string>()> atOtherPrompt;

private:
    std::vector<Step> m_steps;
    size_t m_next = 0;
    QTimer m_timeout;
};

DialogWindow& shownDialog()
{
    auto* window = dynamic_cast<DialogWindow*>(shownDialogWindow());
    if (!window)
        throw std::runtime_error("no dialog is shown");
    return *window;
}

template <typename Control>
Control& control(int id)
{
    auto* found = dynamic_cast<Control*>(shownDialog().dialog().GetDlgItem(id));
    if (!found)
        throw std::runtime_error("no control " + std::to_string(id) + " of that kind");
    return *found;
}

template <typename Widget>
Widget& widget(int id)
{
    auto* found = qobject_cast<Widget*>(shownDialog().widgetOf(id));
    if (!found)
        throw std::runtime_error("no widget " + std::to_string(id) + " of that kind");
    return *found;
}

void click(QWidget& target) { QTest::mouseClick(&target, Qt::LeftButton, {}, target.rect().center()); }

std::string text(const CWnd& wnd)
{
    CString value;
    wnd.GetWindowText(value);
    return value.str();
}

std::string withoutCarriageReturns(std::string s)
{
    std::erase(s, '\r');
    return s;
}

std::vector<int> selectedItems(const CListCtrl& list)
{
    std::vector<int> out;
    for (int i = 0; i < list.GetItemCount(); ++i)
        if (list.GetItemState(i, LVIS_SELECTED) & LVIS_SELECTED)
            out.push_back(i);
    return out;
}

// What the widget shows is what the platform's control holds.
void expectShows(const CZcUiDialog& dialog, const CWnd& wnd, QWidget& shown)
{
    const std::string what = "control " + std::to_string(wnd.GetDlgCtrlID()) + " " + wnd.controlName();
    EXPECT_EQ(shown.isVisibleTo(shown.window()), bool(wnd.IsWindowVisible())) << what;
    EXPECT_EQ(shown.isEnabled(), bool(wnd.IsWindowEnabled())) << what;
    EXPECT_EQ(shown.toolTip().toStdString(), dialog.toolTipText(wnd.GetDlgCtrlID())) << what;
    if (const auto* list = dynamic_cast<const CListCtrl*>(&wnd)) {
        std::vector<int> selected;
        if (auto* tree = qobject_cast<QTreeWidget*>(&shown)) {
            ASSERT_EQ(tree->topLevelItemCount(), list->GetItemCount()) << what;
            for (int i = 0; i < tree->topLevelItemCount(); ++i) {
                EXPECT_EQ(tree->topLevelItem(i)->text(0).toStdString(), list->GetItemText(i, 0).str()) << what;
                if (tree->topLevelItem(i)->isSelected())
                    selected.push_back(i);
            }
        } else {
            auto& icons = dynamic_cast<QListWidget&>(shown);
            ASSERT_EQ(icons.count(), list->GetItemCount()) << what;
            for (int i = 0; i < icons.count(); ++i) {
                EXPECT_EQ(icons.item(i)->text().toStdString(), list->GetItemText(i, 0).str()) << what;
                // Every item of an icon view has its picture.
                EXPECT_FALSE(icons.item(i)->icon().isNull()) << what << " item " << i;
                if (icons.item(i)->isSelected())
                    selected.push_back(i);
            }
        }
        EXPECT_EQ(selected, selectedItems(*list)) << what;
    } else if (dynamic_cast<const CRichEditCtrl*>(&wnd)) {
        EXPECT_EQ(dynamic_cast<QTextEdit&>(shown).toPlainText().toStdString(), withoutCarriageReturns(text(wnd)))
            << what;
    } else if (const auto* combo = dynamic_cast<const CComboBox*>(&wnd)) {
        auto& box = dynamic_cast<QComboBox&>(shown);
        EXPECT_EQ(box.count(), combo->GetCount()) << what;
        EXPECT_EQ(box.currentIndex(), combo->GetCurSel()) << what;
        if (combo->GetCurSel() >= 0 || combo->isEditable()) {
            EXPECT_EQ(box.currentText().toStdString(), text(wnd)) << what;
        }
        // Every choice shows whole when chosen, as in the host's narrow lists.
        QStyleOptionComboBox option;
        option.initFrom(&box);
        option.editable = box.isEditable();
        const QRect field =
            box.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &box);
        for (int i = 0; i < box.count(); ++i)
            EXPECT_LE(box.fontMetrics().horizontalAdvance(box.itemText(i)), field.width())
                << what << " " << box.itemText(i).toStdString();
    } else if (dynamic_cast<const CEdit*>(&wnd)) {
        EXPECT_EQ(dynamic_cast<QLineEdit&>(shown).text().toStdString(), text(wnd)) << what;
    } else if (const auto* button = dynamic_cast<const CButton*>(&wnd)) {
        auto& pressable = dynamic_cast<QAbstractButton&>(shown);
        EXPECT_EQ(pressable.text().toStdString(), text(wnd)) << what;
        EXPECT_EQ(pressable.isChecked(), button->isCheckBox() && button->GetCheck() == BST_CHECKED) << what;
    } else if (const auto* label = dynamic_cast<const CStatic*>(&wnd)) {
        auto& shownLabel = dynamic_cast<QLabel&>(shown);
        if (label->GetBitmap() || label->GetIcon())
            EXPECT_FALSE(shownLabel.pixmap().isNull()) << what;
        else
            EXPECT_EQ(shownLabel.text().toStdString(), text(wnd)) << what;
    }
}

// Each control at its template's place, showing its state.
void expectLaidOutAndShown(DialogWindow& window)
{
    const CZcUiDialog& dialog = window.dialog();
    const ZcUiDialogTemplate* layout = findChainedDialog(dialog.templateId());
    ASSERT_NE(layout, nullptr);
    ASSERT_EQ(layout->controlCount, dialog.controls().size());
    EXPECT_EQ(window.size(), QSize(dialogUnitsToPixelsX(layout->cx), dialogUnitsToPixelsY(layout->cy)));
    for (size_t i = 0; i < layout->controlCount; ++i) {
        const ZcUiControlTemplate& line = layout->controls[i];
        QWidget* shown = window.widgetAt(i);
        ASSERT_NE(shown, nullptr);
        const std::string what = "control " + std::to_string(line.id) + " " + line.name;
        EXPECT_EQ(shown->x(), dialogUnitsToPixelsX(line.x)) << what;
        EXPECT_EQ(shown->y(), dialogUnitsToPixelsY(line.y)) << what;
        EXPECT_EQ(shown->width(), dialogUnitsToPixelsX(line.cx)) << what;
        // A closed combo is one line high; its template height is the open list's.
        if (qobject_cast<QComboBox*>(shown)) {
            EXPECT_LE(shown->height(), dialogUnitsToPixelsY(line.cy)) << what;
            EXPECT_GE(shown->height(), dialogUnitsToPixelsY(12)) << what;
        } else {
            EXPECT_EQ(shown->height(), dialogUnitsToPixelsY(line.cy)) << what;
        }
        expectShows(dialog, *dialog.controls()[i], *shown);
    }
}

void saveGrab(QWidget& window, const std::string& name)
{
    const std::filesystem::path folder = std::filesystem::path(testTmpDir()) / "window-dialogs";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(window.grab().save(QString::fromStdString((folder / (name + ".png")).string()))) << name;
}

// A step that checks the dialog shows the platform's state, then acts.
Step checkedThen(Step act)
{
    return [act] {
        expectLaidOutAndShown(shownDialog());
        act();
    };
}

// A step that runs the test's code and, should it fail, still hands a line
// on (Esc) so that the dialog ends.
Step guarded(Step step)
{
    return [step] {
        try {
            step();
        } catch (const std::exception& problem) {
            ADD_FAILURE() << problem.what();
            if (QDialog* window = shownDialogWindow())
                QTest::keyClick(window, Qt::Key_Escape);
        }
    };
}

class ScreenTest : public DialogCommandTest {
protected:
    TestRegistry registry{TestRegistry::installedAt(std::string(testSourceDir()) + "/resources")};

    std::vector<std::string> run(void (*command)(), std::vector<Step> steps,
                                 std::function<std::optional<std::string>()> atOtherPrompt = {})
    {
        for (Step& step : steps)
            step = guarded(step);
        ScreenInput input(std::move(steps));
        input.atOtherPrompt = std::move(atOtherPrompt);
        command();
        EXPECT_EQ(shownDialogWindow(), nullptr);
        return input.lines;
    }
};

// ---------------------------------------------------------------------------
// Every dialog: laid out from its template, showing its state, grabbed;
// then a real click and what it did to the platform's control.

struct DialogCase {
    const char* name;
    void (*command)();
    // The steps after the first look: each acts, the next checks the outcome.
    std::function<std::vector<Step>()> steps;
    std::vector<std::string> lines;  // handed on, in order
};

std::ostream& operator<<(std::ostream& out, const DialogCase& c) { return out << c.name; }

class EveryDialog : public ScreenTest, public testing::WithParamInterface<DialogCase> {};

TEST_P(EveryDialog, ShowsItsTemplateAndTheUsersClicksReachThePlatform)
{
    const DialogCase& c = GetParam();
    std::vector<Step> steps = c.steps();
    steps.front() = [first = steps.front(), name = std::string(c.name)] {
        saveGrab(shownDialog(), name);
        checkedThen(first)();
    };
    EXPECT_EQ(run(c.command, steps), c.lines);
}

std::vector<Step> signSteps()
{
    return {
        [] { click(widget<QCheckBox>(IDC_INSERT_AS_SIGN)); },
        checkedThen([] {
            EXPECT_EQ(control<CButton>(IDC_INSERT_AS_SIGN).GetCheck(), BST_CHECKED);
            // Enter: the default button, OK; its point prompt then ends the input.
            QTest::keyClick(&shownDialog(), Qt::Key_Return);
        }),
    };
}

std::vector<Step> infoBoardSteps()
{
    return {
        [] { click(widget<QPushButton>(IDC_TEXT_COLOUR)); },
        [] {
            auto* colour = dynamic_cast<ColorChoiceWindow*>(shownDialogWindow());
            ASSERT_NE(colour, nullptr);
            saveGrab(*colour, "colour");
            ASSERT_TRUE(replayDialogAction("dlg color 200,0,0"));
        },
        checkedThen([] {
            CHARFORMAT format{};
            format.cbSize = sizeof(format);
            control<CRichEditCtrl>(IDC_BOARD_TEXT).GetDefaultCharFormat(format);
            EXPECT_EQ(format.crTextColor, RGB(200, 0, 0));
            EXPECT_EQ(widget<QTextEdit>(IDC_BOARD_TEXT).palette().color(QPalette::Text), QColor(200, 0, 0));
            ASSERT_TRUE(replayDialogAction("dlg set IDC_BOARD_TEXT Rondo Mogilskie"));
        }),
        [] { ASSERT_TRUE(replayDialogAction("dlg line IDC_BOARD_TEXT Kraków")); },
        checkedThen([] {
            EXPECT_EQ(text(control<CRichEditCtrl>(IDC_BOARD_TEXT)), "Rondo Mogilskie\r\nKraków");
            saveGrab(shownDialog(), "info-board-filled");
            QTest::keyClick(&shownDialog(), Qt::Key_Escape);
        }),
    };
}

std::vector<Step> reportListSteps(int listId, int closeId)
{
    return {
        [listId] {
            QTreeWidget& tree = widget<QTreeWidget>(listId);
            QTreeWidgetItem* row = tree.topLevelItem(3);
            ASSERT_NE(row, nullptr);
            QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(row).center());
        },
        checkedThen([listId, closeId] {
            EXPECT_EQ(selectedItems(control<CListCtrl>(listId)), std::vector<int>{3});
            click(widget<QPushButton>(closeId));
        }),
    };
}

std::vector<Step> lightSteps()
{
    return {
        [] {
            QListWidget& icons = widget<QListWidget>(IDC_LIGHT_LIST);
            ASSERT_GT(icons.count(), 2);
            QTest::mouseClick(icons.viewport(), Qt::LeftButton, {}, icons.visualItemRect(icons.item(2)).center());
        },
        checkedThen([] {
            EXPECT_EQ(selectedItems(control<CListCtrl>(IDC_LIGHT_LIST)), std::vector<int>{2});
            shownDialog().close();
        }),
    };
}

std::vector<Step> islandSteps()
{
    auto before = std::make_shared<QImage>();
    return {
        [before] {
            *before = widget<QLabel>(IDC_ISLAND_SKETCH).pixmap().toImage();
            ASSERT_TRUE(replayDialogAction("dlg select IDC_ISLAND_KIND 1"));
        },
        checkedThen([before] {
            EXPECT_EQ(control<CComboBox>(IDC_ISLAND_KIND).GetCurSel(), 1);
            // The sketch of the kind chosen.
            EXPECT_NE(widget<QLabel>(IDC_ISLAND_SKETCH).pixmap().toImage(), *before);
            saveGrab(shownDialog(), "islands-second-kind");
            click(widget<QPushButton>(IDCANCEL));
        }),
    };
}

INSTANTIATE_TEST_SUITE_P(
    Screen, EveryDialog,
    testing::Values(DialogCase{"signs", DrawE4Sign, signSteps, {"dlg check 8040 on", ""}},
                    DialogCase{"info-board",
                               DrawInfoBoard,
                               infoBoardSteps,
                               {"dlg click 8012", "dlg color 200,0,0", "dlg set 8008 Rondo Mogilskie",
                                "dlg line 8008 Kraków", "*cancel*"}},
                    DialogCase{"line-markings",
                               DrawLineMarkings,
                               [] { return reportListSteps(IDC_LINE_LIST, IDCANCEL); },
                               {"dlg select 8024 3", "dlg click 2"}},
                    DialogCase{"arrows",
                               InsertArrows,
                               [] { return reportListSteps(IDC_ARROW_LIST, IDCANCEL); },
                               {"dlg select 8028 3", "dlg click 2"}},
                    DialogCase{
                        "traffic-lights", InsertTrafficLights, lightSteps, {"dlg select 8046 2", "dlg click IDCANCEL"}},
                    DialogCase{"islands", DrawIslands, islandSteps, {"dlg select 8083 1", "dlg click 2"}}),
    [](const testing::TestParamInfo<DialogCase>& param) {
        std::string name = param.param.name;
        std::erase(name, '-');
        return name;
    });

// ---------------------------------------------------------------------------
// A replayed line goes through the widget of its control and comes back as
// the line the widget makes; one the widget cannot take is handed on as it
// is, for the platform to refuse.

struct ReplayCase {
    std::string replayed;
    std::string handedOn;
};

std::ostream& operator<<(std::ostream& out, const ReplayCase& c) { return out << '"' << c.replayed << '"'; }

class Replay : public ScreenTest, public testing::WithParamInterface<ReplayCase> {};

TEST_P(Replay, GoesThroughTheWidgetOfItsControl)
{
    const std::vector<std::string> lines =
        run(DrawE4Sign, {[] { ASSERT_TRUE(replayDialogAction(GetParam().replayed)); },
                         [] { QTest::keyClick(&shownDialog(), Qt::Key_Escape); }});
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), GetParam().handedOn);
}

INSTANTIATE_TEST_SUITE_P(Screen, Replay,
                         testing::Values(ReplayCase{"dlg check IDC_INSERT_AS_SIGN on", "dlg check 8040 on"},
                                         ReplayCase{"dlg click IDC_INSERT_AS_SIGN", "dlg check 8040 on"},
                                         ReplayCase{"dlg set IDC_SIGN_TEXT Węzeł Łódź", "dlg set 8037 Węzeł Łódź"},
                                         ReplayCase{"dlg select IDC_SCALE 1", "dlg select 8039 1"},
                                         ReplayCase{"dlg click 2", "dlg click 2"},
                                         ReplayCase{"dlg click IDCANCEL", "dlg click IDCANCEL"}, ReplayCase{"", ""},
                                         ReplayCase{"*cancel*", "*cancel*"},
                                         // Nothing a widget can do: the platform answers. The size
                                         // list of this sign is hidden.
                                         ReplayCase{"dlg select IDC_SIGN_SIZE 1", "dlg select IDC_SIGN_SIZE 1"},
                                         ReplayCase{"dlg select IDC_SCALE 99", "dlg select IDC_SCALE 99"},
                                         ReplayCase{"dlg click 9999", "dlg click 9999"},
                                         ReplayCase{"dlg color 1,2,3", "dlg color 1,2,3"}));

// A dialog that hands the screen to the drawing for its points hides
// while they are asked for, then comes back: the same window, showing what
// the platform kept.
TEST_F(ScreenTest, ADialogHidesForItsPointsAndComesBack)
{
    QPointer<QDialog> window;
    int pointPrompts = 0;
    const std::vector<std::string> lines = run(DrawIslands,
                                               {[&window] {
                                                    window = shownDialogWindow();
                                                    ASSERT_TRUE(replayDialogAction("dlg set IDC_R 25"));
                                                },
                                                [] { click(widget<QPushButton>(IDOK)); }, checkedThen([&window] {
                                                    EXPECT_EQ(shownDialogWindow(), window.data())
                                                        << "the same window again";
                                                    EXPECT_EQ(text(control<CEdit>(IDC_R)), "25");
                                                    click(widget<QPushButton>(IDCANCEL));
                                                })},
                                               [&window, &pointPrompts]() -> std::optional<std::string> {
                                                   ++pointPrompts;
                                                   EXPECT_EQ(shownDialogWindow(), nullptr);
                                                   EXPECT_TRUE(window && !window->isVisible());
                                                   return "*cancel*";
                                               });
    EXPECT_EQ(pointPrompts, 1);
    EXPECT_EQ(lines, (std::vector<std::string>{"dlg set 8052 25", "dlg click 1", "*cancel*", "dlg click 2"}));
}

// A text typed and not yet left is the control's before a click on a
// sketch that takes no focus: it is handed on first, and the platform's
// answer to the click does not wipe it.
TEST_F(ScreenTest, TypedTextGoesBeforeTheClickThatFollowsIt)
{
    const std::vector<std::string> lines = run(DrawIslands, {[] {
                                                                 QLineEdit& r = widget<QLineEdit>(IDC_R);
                                                                 r.selectAll();
                                                                 QTest::keyClicks(&r, "30");
                                                                 click(widget<QLabel>(IDC_ISLAND_SKETCH));
                                                             },
                                                             checkedThen([] {
                                                                 EXPECT_EQ(text(control<CEdit>(IDC_R)), "30");
                                                                 QTest::keyClick(&shownDialog(), Qt::Key_Escape);
                                                             })});
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "dlg set 8052 30");
    EXPECT_EQ(lines[1], "dlg click 8082");
}

// After each action the dialog shows the platform's state again, whatever
// the platform did with it: random clicks on the sign dialog's boxes and
// lists never leave a widget showing something the control does not hold.
TEST_F(ScreenTest, RandomClicksLeaveEveryWidgetShowingItsControl)
{
    std::mt19937 random(28);
    std::vector<Step> steps;
    for (int i = 0; i < 12; ++i)
        steps.push_back(checkedThen([&random] {
            // Among the controls a user can reach now.
            std::vector<int> ids;
            for (const int id : {IDC_ADD_DESCRIPTION, IDC_INSERT_AS_SIGN, IDC_SCALE, IDC_SIGN_SIZE})
                if (shownDialog().widgetOf(id)->isVisible() && shownDialog().widgetOf(id)->isEnabled())
                    ids.push_back(id);
            ASSERT_FALSE(ids.empty());
            const int id = ids[random() % ids.size()];
            if (auto* box = qobject_cast<QCheckBox*>(shownDialog().widgetOf(id)))
                click(*box);
            else
                ASSERT_TRUE(
                    replayDialogAction("dlg select " + std::to_string(id) + " " + std::to_string(random() % 2)));
        }));
    steps.push_back(checkedThen([] { QTest::keyClick(&shownDialog(), Qt::Key_Escape); }));
    EXPECT_EQ(run(DrawE4Sign, steps).size(), steps.size());
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
