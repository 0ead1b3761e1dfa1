// Group "Sicherheitsgefühl neu berechnen" on the "Info" page.
#include "mainfrm.h"

#include "core/intconv.h"
#include "core/sgshift.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veltrix {

namespace {

const QString kDefaultStep = QStringLiteral("25");

QPushButton *makeButton(const char *name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

void TfrmMain::setupSGShift()
{
    GroupSGNeu = new QGroupBox(QStringLiteral("Sicherheitsgefühl neu berechnen"), TabInfo);
    GroupSGNeu->setObjectName(QStringLiteral("GroupSGNeu"));
    auto *grid = new QGridLayout(GroupSGNeu);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);

    SGdown = new QLineEdit(kDefaultStep, GroupSGNeu);
    SGdown->setObjectName(QStringLiteral("SGdown"));
    SGdown->setFixedWidth(44);
    BitBtn5 = makeButton("BitBtn5", QStringLiteral("up"), GroupSGNeu);
    BitBtn6 = makeButton("BitBtn6", QStringLiteral("down"), GroupSGNeu);
    Button11 = makeButton("Button11", QStringLiteral("-5 %"), GroupSGNeu);

    grid->addWidget(new QLabel(QStringLiteral("Gesamten Bericht neu berechnen:"), GroupSGNeu), 0, 0, 1, 3);
    grid->addWidget(SGdown, 1, 0);
    grid->addWidget(BitBtn5, 1, 1);
    grid->addWidget(BitBtn6, 1, 2);
    auto *firstRow = new QHBoxLayout;
    firstRow->addWidget(new QLabel(QStringLiteral("1. Gebäude neu Berechnen:"), GroupSGNeu));
    firstRow->addStretch(1);
    Button11->setFixedWidth(56);
    firstRow->addWidget(Button11);
    grid->addLayout(firstRow, 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    static_cast<QVBoxLayout *>(TabInfo->layout())->addWidget(GroupSGNeu);

    onFocusLost(SGdown, [this] { command([this] { SGdownExit(); }); });
    connectCommand(BitBtn5, [this] { BitBtn5Click(); });
    connectCommand(BitBtn6, [this] { BitBtn6Click(); });
    connectCommand(Button11, [this] { Button11Click(); });
}

void TfrmMain::SGdownExit()
{
    if (!isStrictInt(SGdown->text()))
        SGdown->setText(kDefaultStep);
}

void TfrmMain::shiftAllLines(qint64 shift, bool trapFloor)
{
    // Runs right after CleanList and CreateSafepoint, so the undo copy holds
    // exactly the lines of Memo1 and spares reading them once more.
    QStringList lines = undoCopy();
    if (lines.size() != m_memo.lineCount())
        lines = m_memo.lines();
    for (QString &line : lines)
        line = shiftLineSG(line, shift, trapFloor);
    // Each line is rewritten in place; writing them back together leaves the
    // same text and runs the change handler exactly when a line changed.
    m_memo.setLines(lines);
}

void TfrmMain::BitBtn5Click()
{
    CleanList();
    CreateSafepoint();
    shiftAllLines(strToInt(SGdown->text()), false);
    ShowBuildingInfo();
    m_memo.caretToStart();
    Memo1->setFocus();
}

void TfrmMain::BitBtn6Click()
{
    CleanList();
    CreateSafepoint();
    shiftAllLines(-qint64(strToInt(SGdown->text())), true);
    ShowBuildingInfo();
    m_memo.caretToStart();
    Memo1->setFocus();
}

void TfrmMain::Button11Click()
{
    CleanList();
    CreateSafepoint();
    if (!m_memo.isEmpty())
        m_memo.replaceLine(0, shiftLineSG(m_memo.firstLine(), -5, false));
    N1Hausnummerkopieren1Click();
}

} // namespace veltrix
