#include "pagedialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PageDialogs::Answer PageDialogs::ask(QWidget *owner, Kind kind, const QString &origin, const QString &text,
                                     const QString &defaultText)
{
    if (m_stopped || !owner || !owner->window()->isVisible())
        return {};
    const bool repeated = m_lastAnswer.isValid() && m_lastAnswer.elapsed() < repeatMs;

    QDialog box(owner->window());
    box.setObjectName(QStringLiteral("pageDialog"));
    box.setWindowTitle(origin);
    auto *layout = new QVBoxLayout(&box);
    auto *message = new QLabel(text, &box);
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    layout->addWidget(message);
    QLineEdit *input = nullptr;
    if (kind == Kind::Prompt) {
        input = new QLineEdit(defaultText, &box);
        layout->addWidget(input);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    if (kind != Kind::Alert)
        buttons->addButton(QDialogButtonBox::Cancel);
    bool stopAsked = false;
    if (repeated) {
        QPushButton *stop = buttons->addButton(m_stopText(),
                                               QDialogButtonBox::DestructiveRole);
        stop->setObjectName(QStringLiteral("stopPageDialogs"));
        QObject::connect(stop, &QPushButton::clicked, &box, [&] {
            stopAsked = true;
            box.reject();
        });
    }
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    layout->addWidget(buttons);

    QEventLoop answered;
    QObject::connect(&box, &QDialog::finished, &answered, &QEventLoop::quit);
    m_open = &box;
    m_openRepeated = repeated;
    box.show();
    answered.exec();
    m_open.clear();
    m_lastAnswer.start();
    m_stopped = stopAsked;
    if (box.result() != QDialog::Accepted)
        return {};
    return {true, input ? input->text() : QString()};
}

bool PageDialogs::holdsPage() const { return m_stopped || (m_open && m_openRepeated); }

void PageDialogs::pageLeft(bool sameSite)
{
    if (!sameSite)
        m_stopped = false;
    if (m_open)
        m_open->reject();
}
