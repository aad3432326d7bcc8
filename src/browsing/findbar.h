#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;
class WebView;

// Finds text in the active page: a text box, next and previous, the match count; Escape closes it.
class FindBar : public QWidget
{
    Q_OBJECT
public:
    explicit FindBar(QWidget *parent = nullptr);

    struct Controls
    {
        QLineEdit *text;
        QToolButton *previous;
        QToolButton *next;
        QToolButton *close;
    };
    const Controls &controls() const { return m_controls; }

    void open(WebView *view);
    void findNext();
    void findPrevious();
    QString matchText() const;

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void find(bool backward);

    WebView *m_view = nullptr;
    QLineEdit *m_text;
    QLabel *m_matches;
    Controls m_controls;
};
