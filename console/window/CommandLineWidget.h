#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

// The command line under the drawing: what was said so far, the prompt,
// and the line being typed, with the lines typed before on Up and Down.
class CommandLineWidget : public QWidget {
    Q_OBJECT
public:
    explicit CommandLineWidget(QWidget* parent = nullptr);

    // Output of the command line as it comes, line ends included.
    void appendOutput(const QString& text);
    void setPrompt(const QString& prompt);
    QString transcript() const;
    QLineEdit* edit() const { return m_edit; }
    // Whether Space ends the line even with text typed (prompts for points
    // and numbers, where no answer holds a blank).
    void setSpaceEnds(bool on) { m_spaceEnds = on; }

signals:
    // Enter (or Space where it ends the line) was pressed; the line is empty for Enter alone.
    void lineEntered(const QString& line);
    // Esc was pressed.
    void cancelled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void enter();
    void recall(int step);

    QPlainTextEdit* m_output;
    QLabel* m_prompt;
    QLineEdit* m_edit;
    QStringList m_history;
    int m_recalled = 0;  // index into the history while Up and Down walk it
    bool m_spaceEnds = false;
};
