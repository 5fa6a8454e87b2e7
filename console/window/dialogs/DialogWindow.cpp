#include "console/window/dialogs/DialogWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest/QTest>
#include <utility>

#include "ZcUiListCtrl.h"
#include "ZcUiRichEdit.h"
#include "console/window/dialogs/CheckBox.h"
#include "console/window/dialogs/ColorChoiceWindow.h"
#include "console/window/dialogs/ControlImages.h"
#include "console/window/dialogs/DialogFont.h"
#include "console/window/dialogs/DialogStyle.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/ResourceChain.h"

using platform::DialogAction;

namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

std::string windowText(const CWnd& control)
{
    CString text;
    control.GetWindowText(text);
    return text.str();
}

QRect templateRect(const ZcUiControlTemplate& line)
{
    return QRect(platform::dialogUnitsToPixelsX(line.x), platform::dialogUnitsToPixelsY(line.y),
                 platform::dialogUnitsToPixelsX(line.cx), platform::dialogUnitsToPixelsY(line.cy));
}

// A list's texts and images, to rebuild its rows only when they change
// (a rebuild loses the user's scrolling).
std::string listContents(const CListCtrl& list)
{
    std::string out;
    for (int c = 0; c < list.columnCount(); ++c)
        out += list.columnHeading(c) + '\t' + std::to_string(list.GetColumnWidth(c)) + '\t';
    for (int i = 0; i < list.GetItemCount(); ++i) {
        out += '\n' + std::to_string(list.itemImage(i));
        for (int c = 0; c < std::max(1, list.columnCount()); ++c)
            out += '\t' + list.GetItemText(i, c).str();
    }
    return out;
}

QPixmap listImage(const CListCtrl& list, int kind, int item)
{
    const CImageList* images = list.GetImageList(kind);
    return images ? imageListPixmap(images->GetSafeHandle(), list.itemImage(item)) : QPixmap();
}

void fillReport(QTreeWidget& tree, const CListCtrl& list)
{
    tree.clear();
    QStringList headings;
    for (int c = 0; c < list.columnCount(); ++c)
        headings << qt(list.columnHeading(c));
    tree.setColumnCount(std::max(1, list.columnCount()));
    tree.setHeaderLabels(headings);
    for (int c = 0; c < list.columnCount(); ++c) {
        tree.setColumnWidth(c, list.GetColumnWidth(c));
        tree.setColumnHidden(c, list.GetColumnWidth(c) <= 0);
    }
    for (int i = 0; i < list.GetItemCount(); ++i) {
        auto* row = new QTreeWidgetItem(&tree);
        for (int c = 0; c < tree.columnCount(); ++c)
            row->setText(c, qt(list.GetItemText(i, c).str()));
        if (const QPixmap image = listImage(list, LVSIL_SMALL, i); !image.isNull())
            row->setIcon(0, image);
    }
}

void fillIcons(QListWidget& icons, const CListCtrl& list)
{
    icons.clear();
    if (const CImageList* images = list.GetImageList(LVSIL_NORMAL)) {
        int cx = 0, cy = 0;
        images->GetImageSize(cx, cy);
        icons.setIconSize(QSize(cx, cy));
    }
    for (int i = 0; i < list.GetItemCount(); ++i)
        new QListWidgetItem(QIcon(listImage(list, LVSIL_NORMAL, i)), qt(list.GetItemText(i, 0).str()), &icons);
}

QFont richEditFont(const CRichEditCtrl& rich, const QFont& dialogFont)
{
    CHARFORMAT format{};
    format.cbSize = sizeof(format);
    rich.GetDefaultCharFormat(format);
    QFont font = dialogFont;
    if ((format.dwMask & CFM_FACE) && format.szFaceName[0])
        font.setFamily(qt(format.szFaceName));
    if ((format.dwMask & CFM_SIZE) && format.yHeight > 0)
        font.setPointSizeF(format.yHeight / 20.0);  // twips
    font.setBold((format.dwMask & CFM_BOLD) && (format.dwEffects & CFE_BOLD));
    font.setItalic((format.dwMask & CFM_ITALIC) && (format.dwEffects & CFE_ITALIC));
    return font;
}

QColor richEditTextColor(const CRichEditCtrl& rich)
{
    CHARFORMAT format{};
    format.cbSize = sizeof(format);
    rich.GetDefaultCharFormat(format);
    if (!(format.dwMask & CFM_COLOR) || (format.dwEffects & CFE_AUTOCOLOR))
        return Qt::black;
    return qtColor(format.crTextColor);
}

// The platform keeps paragraphs apart with "\r\n"; a text widget with "\n".
std::string fromPlatformText(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

void clickCentre(QWidget& widget) { QTest::mouseClick(&widget, Qt::LeftButton, {}, widget.rect().center()); }

// Key by key; a letter beyond ASCII (ą, ł, ó) as the key event of its text.
void typeKeys(QWidget& widget, const std::string& text)
{
    for (const QChar c : qt(text)) {
        if (c.unicode() < 0x80)
            QTest::keyClick(&widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, &widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void typeAnew(QWidget& widget, const std::string& text)
{
    QTest::keyClick(&widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&widget, Qt::Key_Delete);
    typeKeys(widget, text);
}

}  // namespace

DialogWindow::DialogWindow(CZcUiDialog& dialog, unsigned long run, QWidget* parent)
    : QDialog(parent), m_dialog(dialog), m_run(run)
{
    // Modal: while it is shown the rest of the window waits, as in the host.
    setWindowModality(Qt::ApplicationModal);
    setFont(dialogFont());
    build();
    refresh();
}

DialogWindow::~DialogWindow()
{
    // The widgets go after the views their handlers use, and an edit box
    // that loses the focus as it goes still says it was left: hear none of them.
    for (QObject* child : findChildren<QObject*>()) {
        disconnect(child, nullptr, this, nullptr);
        child->removeEventFilter(this);
    }
}

void DialogWindow::build()
{
    const ZcUiDialogTemplate* layout = platform::findChainedDialog(m_dialog.templateId());
    if (layout)
        setFixedSize(platform::dialogUnitsToPixelsX(layout->cx), platform::dialogUnitsToPixelsY(layout->cy));
    const std::vector<CWnd*>& controls = m_dialog.controls();
    m_views.resize(controls.size());
    for (size_t i = 0; i < controls.size(); ++i) {
        ControlView& view = m_views[i];
        view.control = controls[i];
        view.id = controls[i]->GetDlgCtrlID();
        view.widget = makeWidget(*controls[i], view);
        if (layout && i < layout->controlCount) {
            QRect place = templateRect(layout->controls[i]);
            // A combo's template height is that of its open list; closed it is one line.
            if (qobject_cast<QComboBox*>(view.widget))
                place.setHeight(std::min(place.height(), view.widget->sizeHint().height()));
            view.widget->setGeometry(place);
        }
    }
}

QWidget* DialogWindow::makeWidget(CWnd& control, ControlView& view)
{
    const std::string id = std::to_string(control.GetDlgCtrlID());
    if (auto* list = dynamic_cast<CListCtrl*>(&control)) {
        if (list->isReportView()) {
            auto* tree = new QTreeWidget(this);
            tree->setRootIsDecorated(false);
            tree->setUniformRowHeights(true);
            tree->header()->setSectionsMovable(false);
            tree->header()->setVisible(!(list->GetStyle() & LVS_NOCOLUMNHEADER));
            connect(tree, &QTreeWidget::itemClicked, this, [this, tree, id](QTreeWidgetItem* item, int) {
                add("dlg select " + id + " " + std::to_string(tree->indexOfTopLevelItem(item)));
            });
            return tree;
        }
        auto* icons = new QListWidget(this);
        icons->setViewMode(QListView::IconMode);
        icons->setMovement(QListView::Static);
        icons->setResizeMode(QListView::Adjust);
        icons->setWrapping(true);
        icons->setFlow((list->GetStyle() & LVS_ALIGNLEFT) ? QListView::TopToBottom : QListView::LeftToRight);
        icons->setSpacing(4);
        connect(icons, &QListWidget::itemClicked, this, [this, icons, id](QListWidgetItem* item) {
            add("dlg select " + id + " " + std::to_string(icons->row(item)));
        });
        return icons;
    }
    if (auto* rich = dynamic_cast<CRichEditCtrl*>(&control)) {
        auto* text = new QTextEdit(this);
        text->setAcceptRichText(false);
        text->setTabChangesFocus(true);
        text->setFrameShape((rich->GetStyle() & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
        text->installEventFilter(this);
        return text;
    }
    if (auto* combo = dynamic_cast<CComboBox*>(&control)) {
        auto* box = new QComboBox(this);
        box->setStyle(dialogStyle());
        box->setEditable(combo->isEditable());
        box->setInsertPolicy(QComboBox::NoInsert);
        connect(box, &QComboBox::activated, this,
                [this, id](int index) { add("dlg select " + id + " " + std::to_string(index)); });
        if (QLineEdit* edit = box->lineEdit())
            connect(edit, &QLineEdit::editingFinished, this, [this, &view] { commitEdit(view); });
        return box;
    }
    if (dynamic_cast<CEdit*>(&control)) {
        auto* edit = new QLineEdit(this);
        connect(edit, &QLineEdit::editingFinished, this, [this, &view] { commitEdit(view); });
        return edit;
    }
    if (auto* button = dynamic_cast<CButton*>(&control)) {
        if (button->isCheckBox()) {
            auto* box = new CheckBox(this);
            connect(box, &QCheckBox::clicked, this,
                    [this, id](bool checked) { add("dlg check " + id + (checked ? " on" : " off")); });
            return box;
        }
        auto* push = new QPushButton(this);
        // Enter is the dialog's to hand on, not a button's to take.
        push->setAutoDefault(false);
        push->setDefault((button->GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        connect(push, &QPushButton::clicked, this, [this, id] { add("dlg click " + id); });
        return push;
    }
    if (auto* label = dynamic_cast<CStatic*>(&control)) {
        auto* text = new QLabel(this);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        const DWORD kind = label->GetStyle() & SS_TYPEMASK;
        text->setWordWrap(kind != SS_BITMAP && kind != SS_ICON);
        if (label->notifiesClicks())
            text->installEventFilter(this);
        return text;
    }
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    return frame;
}

void DialogWindow::refresh()
{
    CString caption;
    m_dialog.GetWindowText(caption);
    setWindowTitle(qt(caption.str()));
    for (ControlView& view : m_views)
        refreshControl(view);
}

void DialogWindow::refreshControl(ControlView& view)
{
    CWnd& control = *view.control;
    QWidget& widget = *view.widget;
    widget.setVisible(control.IsWindowVisible());
    widget.setEnabled(control.IsWindowEnabled());
    widget.setToolTip(qt(m_dialog.toolTipText(control.GetDlgCtrlID())));
    const std::string text = windowText(control);

    if (auto* list = dynamic_cast<CListCtrl*>(&control)) {
        const std::string contents = listContents(*list);
        auto* tree = qobject_cast<QTreeWidget*>(&widget);
        auto* icons = qobject_cast<QListWidget*>(&widget);
        if (contents != view.shownText) {
            view.shownText = contents;
            if (tree)
                fillReport(*tree, *list);
            else if (icons)
                fillIcons(*icons, *list);
        }
        for (int i = 0; i < list->GetItemCount(); ++i) {
            const bool selected = list->GetItemState(i, LVIS_SELECTED) & LVIS_SELECTED;
            if (tree && tree->topLevelItem(i))
                tree->topLevelItem(i)->setSelected(selected);
            if (icons && icons->item(i))
                icons->item(i)->setSelected(selected);
        }
        return;
    }
    if (auto* rich = dynamic_cast<CRichEditCtrl*>(&control)) {
        auto& edit = static_cast<QTextEdit&>(widget);
        edit.setReadOnly(rich->isReadOnly());
        edit.setFont(richEditFont(*rich, font()));
        QPalette colours = edit.palette();
        colours.setColor(QPalette::Base, qtColor(rich->backgroundColor()));
        colours.setColor(QPalette::Text, richEditTextColor(*rich));
        edit.setPalette(colours);
        const std::string shown = fromPlatformText(text);
        if (shown != view.shownText) {
            view.shownText = shown;
            edit.setPlainText(qt(shown));
        }
        return;
    }
    if (auto* combo = dynamic_cast<CComboBox*>(&control)) {
        auto& box = static_cast<QComboBox&>(widget);
        QStringList items;
        for (int i = 0; i < combo->GetCount(); ++i) {
            CString item;
            combo->GetLBText(i, item);
            items << qt(item.str());
        }
        QStringList shownItems;
        for (int i = 0; i < box.count(); ++i)
            shownItems << box.itemText(i);
        if (items != shownItems) {
            box.clear();
            box.addItems(items);
        }
        const bool chosen = box.currentIndex() != combo->GetCurSel();
        if (chosen)
            box.setCurrentIndex(combo->GetCurSel());
        if (box.isEditable() && (chosen || text != view.shownText)) {
            view.shownText = text;
            box.setEditText(qt(text));
        }
        return;
    }
    if (auto* edit = dynamic_cast<CEdit*>(&control)) {
        auto& line = static_cast<QLineEdit&>(widget);
        line.setReadOnly(edit->isReadOnly());
        line.setMaxLength(int(std::min<UINT>(edit->GetLimitText(), 32767)));
        if (text != view.shownText) {
            view.shownText = text;
            line.setText(qt(text));
        }
        return;
    }
    if (auto* button = dynamic_cast<CButton*>(&control)) {
        static_cast<QAbstractButton&>(widget).setText(qt(text));
        if (auto* box = qobject_cast<QCheckBox*>(&widget))
            box->setChecked(button->GetCheck() == BST_CHECKED);
        return;
    }
    if (auto* picture = dynamic_cast<CStatic*>(&control)) {
        auto& label = static_cast<QLabel&>(widget);
        const DWORD kind = picture->GetStyle() & SS_TYPEMASK;
        if (kind == SS_BITMAP)
            label.setPixmap(bitmapPixmap(picture->GetBitmap()));
        else if (kind == SS_ICON)
            label.setPixmap(iconPixmap(picture->GetIcon()));
        else
            label.setText(qt(text));
    }
}

QWidget* DialogWindow::widgetOf(int controlId) const
{
    for (const ControlView& view : m_views)
        if (view.id == controlId)
            return view.widget;
    return nullptr;
}

DialogWindow::ControlView* DialogWindow::viewOf(const DialogAction& action)
{
    for (ControlView& view : m_views) {
        const int id = view.control->GetDlgCtrlID();
        if (action.controlId >= 0
                ? id == action.controlId
                : (action.control == "IDOK" && id == IDOK) ||
                      (!view.control->controlName().empty() && view.control->controlName() == action.control))
            return &view;
    }
    return nullptr;
}

void DialogWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        add("");
    else if (event->key() == Qt::Key_Escape)
        m_actions.add("*cancel*");
    else
        QDialog::keyPressEvent(event);
}

// The close box: the platform's dialog decides whether it closes.
void DialogWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    m_actions.add("dlg click IDCANCEL");
}

void DialogWindow::reject() { m_actions.add("*cancel*"); }

void DialogWindow::add(std::string line)
{
    // A text typed and not yet left counts before the click that follows
    // it, as the host's edit boxes hold their text whatever takes the focus.
    for (ControlView& view : m_views)
        commitEdit(view);
    m_actions.add(std::move(line));
}

void DialogWindow::commitEdit(ControlView& view)
{
    if (!view.widget->isVisible() || !view.widget->isEnabled())
        return;
    if (qobject_cast<QTextEdit*>(view.widget)) {
        addRichEditText(view);
        return;
    }
    QLineEdit* edit = qobject_cast<QLineEdit*>(view.widget);
    if (auto* box = qobject_cast<QComboBox*>(view.widget))
        edit = box->lineEdit();
    if (!edit || edit->isReadOnly() || edit->text().toStdString() == view.shownText)
        return;
    view.shownText = edit->text().toStdString();
    m_actions.add("dlg set " + std::to_string(view.id) + " " + view.shownText);
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event)
{
    for (ControlView& view : m_views) {
        if (view.widget != watched)
            continue;
        if (event->type() == QEvent::MouseButtonRelease && qobject_cast<QLabel*>(view.widget) &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
            view.widget->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            add("dlg click " + std::to_string(view.id));
        else if (event->type() == QEvent::FocusOut && qobject_cast<QTextEdit*>(view.widget))
            commitEdit(view);
    }
    return QDialog::eventFilter(watched, event);
}

void DialogWindow::addRichEditText(ControlView& view)
{
    const std::string now = static_cast<QTextEdit*>(view.widget)->toPlainText().toStdString();
    if (now == view.shownText)
        return;
    const std::string id = std::to_string(view.id);
    const std::string before = std::exchange(view.shownText, now);
    // Lines typed after the text there was are added as such; anything else is typed anew.
    std::string rest;
    if (now.size() > before.size() && now.compare(0, before.size(), before) == 0 && now[before.size()] == '\n')
        rest = now.substr(before.size() + 1);
    else {
        const size_t end = now.find('\n');
        m_actions.add("dlg set " + id + " " + now.substr(0, end));
        rest = end == std::string::npos ? std::string() : now.substr(end + 1);
        if (end == std::string::npos)
            return;
    }
    for (size_t from = 0;;) {
        const size_t end = rest.find('\n', from);
        m_actions.add("dlg line " + id + " " +
                      rest.substr(from, end == std::string::npos ? std::string::npos : end - from));
        if (end == std::string::npos)
            break;
        from = end + 1;
    }
}

void DialogWindow::replay(const std::string& line, const DialogAction& action)
{
    const unsigned long before = m_actions.added();
    if (action.verb == DialogAction::Verb::Click && action.control == "IDCANCEL")
        close();
    else if (ControlView* view = viewOf(action); view && view->widget->isVisible() && view->widget->isEnabled())
        replayOn(*view, action);
    // Nothing the widget could take: the platform says why.
    if (m_actions.added() == before)
        add(line);
}

void DialogWindow::replayOn(ControlView& view, const DialogAction& action)
{
    QWidget& widget = *view.widget;
    switch (action.verb) {
    case DialogAction::Verb::Click:
        if (qobject_cast<QAbstractButton*>(&widget) || qobject_cast<QLabel*>(&widget))
            clickCentre(widget);
        return;
    case DialogAction::Verb::Check:
        if (auto* box = qobject_cast<QCheckBox*>(&widget); box && box->isChecked() != action.checked)
            clickCentre(widget);
        return;
    case DialogAction::Verb::Set:
        if (auto* edit = qobject_cast<QLineEdit*>(&widget); edit && !edit->isReadOnly()) {
            typeAnew(*edit, action.text);
            commitEdit(view);
        } else if (auto* box = qobject_cast<QComboBox*>(&widget); box && box->lineEdit()) {
            typeAnew(*box->lineEdit(), action.text);
            commitEdit(view);
        } else if (auto* text = qobject_cast<QTextEdit*>(&widget); text && !text->isReadOnly()) {
            typeAnew(*text, action.text);
            commitEdit(view);
        }
        return;
    case DialogAction::Verb::Line:
        if (auto* text = qobject_cast<QTextEdit*>(&widget); text && !text->isReadOnly()) {
            QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
            QTest::keyClick(text, Qt::Key_Return);
            typeKeys(*text, action.text);
            commitEdit(view);
        }
        return;
    case DialogAction::Verb::Select:
        if (auto* box = qobject_cast<QComboBox*>(&widget)) {
            const int index = action.index >= 0 ? action.index : box->findText(qt(action.text), Qt::MatchExactly);
            if (index < 0 || index >= box->count())
                return;
            // The list drops down; the user goes to the item and takes it.
            box->showPopup();
            QAbstractItemView* items = box->view();
            items->setCurrentIndex(box->model()->index(index, box->modelColumn()));
            QTest::keyClick(items, Qt::Key_Return);
        } else if (auto* tree = qobject_cast<QTreeWidget*>(&widget)) {
            QTreeWidgetItem* item = nullptr;
            if (action.index >= 0)
                item = tree->topLevelItem(action.index);
            else
                for (int c = 0; c < tree->columnCount() && !item; ++c)
                    if (const auto found = tree->findItems(qt(action.text), Qt::MatchExactly, c); !found.isEmpty())
                        item = found.front();
            if (!item)
                return;
            tree->scrollToItem(item);
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        } else if (auto* icons = qobject_cast<QListWidget*>(&widget)) {
            QListWidgetItem* item = nullptr;
            if (action.index >= 0)
                item = icons->item(action.index);
            else if (const auto found = icons->findItems(qt(action.text), Qt::MatchExactly); !found.isEmpty())
                item = found.front();
            if (!item)
                return;
            icons->scrollToItem(item);
            QTest::mouseClick(icons->viewport(), Qt::LeftButton, {}, icons->visualItemRect(item).center());
        }
        return;
    case DialogAction::Verb::Color: return;
    }
}
