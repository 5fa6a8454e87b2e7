#include "console/window/CommandLineWidget.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// Lines of output kept: a long session does not grow without bound.
constexpr int kKeptOutputLines = 5000;

}  // namespace

CommandLineWidget::CommandLineWidget(QWidget* parent)
    : QWidget(parent), m_output(new QPlainTextEdit), m_prompt(new QLabel), m_edit(new QLineEdit)
{
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_output->setReadOnly(true);
    m_output->setFont(fixed);
    m_output->setMaximumBlockCount(kKeptOutputLines);
    m_output->setFocusPolicy(Qt::NoFocus);
    m_prompt->setFont(fixed);
    m_edit->setFont(fixed);
    m_edit->installEventFilter(this);

    auto* line = new QHBoxLayout;
    line->addWidget(m_prompt);
    line->addWidget(m_edit, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_output, 1);
    layout->addLayout(line);
}

void CommandLineWidget::appendOutput(const QString& text)
{
    QTextCursor end = m_output->textCursor();
    end.movePosition(QTextCursor::End);
    end.insertText(text);
    m_output->verticalScrollBar()->setValue(m_output->verticalScrollBar()->maximum());
}

void CommandLineWidget::setPrompt(const QString& prompt) { m_prompt->setText(prompt); }

QString CommandLineWidget::transcript() const { return m_output->toPlainText(); }

bool CommandLineWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edit || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: enter(); return true;
    case Qt::Key_Space:
        if (m_edit->text().isEmpty() || m_spaceEnds) {
            enter();
            return true;
        }
        return false;
    case Qt::Key_Escape:
        m_edit->clear();
        emit cancelled();
        return true;
    case Qt::Key_Up: recall(-1); return true;
    case Qt::Key_Down: recall(1); return true;
    default: return false;
    }
}

void CommandLineWidget::enter()
{
    const QString line = m_edit->text();
    if (!line.trimmed().isEmpty() && (m_history.isEmpty() || m_history.back() != line))
        m_history.push_back(line);
    m_recalled = int(m_history.size());
    m_edit->clear();
    emit lineEntered(line);
}

void CommandLineWidget::recall(int step)
{
    if (m_history.isEmpty())
        return;
    m_recalled = std::clamp(m_recalled + step, 0, int(m_history.size()));
    m_edit->setText(m_recalled < m_history.size() ? m_history[m_recalled] : QString());
}
