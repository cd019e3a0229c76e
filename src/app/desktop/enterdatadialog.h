#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class EnterDataDialog;
}

namespace maporv {

// The modal one-field prompt used to type a name: the caller's prompt above one line
// of text, OK and Cancel. The text is read after OK.
class EnterDataDialog : public QDialog {
    Q_OBJECT

public:
    explicit EnterDataDialog(QWidget* parent = nullptr);
    ~EnterDataDialog() override;

    void setPrompt(const QString& prompt);
    QString prompt() const;
    // Prefills the line, selected so that typing replaces it.
    void setText(const QString& text);
    QString text() const;

private:
    std::unique_ptr<Ui::EnterDataDialog> ui_;
};

} // namespace maporv
