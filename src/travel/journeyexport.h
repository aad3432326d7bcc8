#pragma once

#include <QObject>
#include <memory>

class GraphvizRun;
class WriteResult;
class QGraphicsScene;
class UserDialogs;
struct ProgramState;

// The journey picture saved as the user asked: as SVG, drawn by Graphviz (neato -n2) from the
// picture as shown, or as a PNG image of it. Both are saved the way the program saves every file,
// whole or not at all: a full disk leaves an earlier file of that name as it was, and the user
// is told why.
class JourneyExport : public QObject
{
    Q_OBJECT
public:
    static constexpr int drawingLimitMs = 60000;
    static constexpr int notDrawnCaption = 541;

    JourneyExport(ProgramState &state, UserDialogs &dialogs, QObject *parent = nullptr);
    ~JourneyExport() override;

    // dot: the picture as JourneyPicture::drawingDot writes it. The file is written once Graphviz
    // has drawn it; a drawing still under way for an earlier export is given up.
    void saveSvg(const QString &path, const QByteArray &dot);
    void savePng(const QString &path, QGraphicsScene &scene);
    bool busy() const { return m_drawing != nullptr; }

signals:
    void svgDone();

private:
    void report(const WriteResult &result);

    ProgramState &m_state;
    UserDialogs &m_dialogs;
    std::unique_ptr<GraphvizRun> m_drawing;
};
