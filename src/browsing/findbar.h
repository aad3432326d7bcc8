#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class WebView;

// Finds text in the active page: a text box, next and previous, the match count; Escape closes it.
class FindBar : public QWidget
{
    Q_OBJECT
public:
    explicit FindBar(QWidget *parent = nullptr);

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
};
