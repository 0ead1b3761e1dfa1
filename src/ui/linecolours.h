#pragma once

#include <QColor>
#include <QObject>

class QAction;
class QPalette;
class QPlainTextEdit;

namespace veltrix {

// Colours the lines of a text area by what they are worth: a full-width
// background for the protection-money bands, bold for a building that can be
// taken over at once, grey for a line the cleaning would drop. Only the lines
// in view are coloured, each time the view changes, so a long list costs
// nothing extra. The document is never touched: the bands are extra
// selections and bold and grey are formats of the line's layout, as a syntax
// highlighter keeps them. Text, positions, undo, the modified flag, the
// clipboard and files stay as without colours.
class LineColours : public QObject {
    Q_OBJECT

public:
    explicit LineColours(QPlainTextEdit *edit);

    // Colours the text area while the item is checked.
    static LineColours *attach(QPlainTextEdit *edit, QAction *toggle);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool on);

    // Tints blended into the palette's base colour, so that the text keeps its
    // contrast on light and dark palettes alike.
    struct Scheme {
        QColor from900;
        QColor from500;
        QColor dropped; // text colour
    };
    static Scheme schemeFor(const QPalette &palette);

    // Brings the lines in view up to date at once; normally this runs queued,
    // before the next paint.
    void refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void schedule();

    QPlainTextEdit *m_edit;
    Scheme m_scheme;
    bool m_enabled = true;
    bool m_queued = false;
    bool m_refreshing = false;
};

} // namespace veltrix
