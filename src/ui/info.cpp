#include "info.h"

#include "core/error.h"
#include "core/formencode.h"
#include "pagelayout.h"
#include "programname.h"
#include "resources.h"
#include "windowutil.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResource>
#include <QShowEvent>

#include <utility>

namespace veltrix {

namespace {

const QString kDownload = QStringLiteral("/Downloads/VeltrixProf.exe");
const QString kChangelog = QStringLiteral("/Downloads/Changelog.txt");
const QString kContactTarget = QStringLiteral("/cgi/anmeldung.pl?");
const QString kChatNetwork = QStringLiteral("Nachtnetz");
const QString kChatServer = QStringLiteral("irc.nachtnetz.example");
const QString kChatChannel = QStringLiteral("#veltrix");
const QString kEmailPlaceholder = QStringLiteral("name@example.com");

// The form is dark so that the labels in the window colour stand out.
const QColor kFormColour(0x24, 0x1a, 0x1c);

QFont serifFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

// ---- LinkLabel ----

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setPixelSize(12);
    f.setUnderline(true);
    setFont(f);
    setTextColour(this, QPalette::WindowText, palette().color(QPalette::Highlight));
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

// ---- TfrmInfo ----

TfrmInfo::TfrmInfo(QWidget *mainWindow, const Platform &platform)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_mainWindow(mainWindow), m_platform(platform)
{
    initVeltrixResources();
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("Info"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(478, 329);
    createControls();
}

void TfrmInfo::createControls()
{
    const QPalette base = palette();
    const QColor windowColour = base.color(QPalette::Base);
    const QColor buttonText = base.color(QPalette::ButtonText);

    QPalette form = base;
    form.setColor(QPalette::Window, kFormColour);
    form.setColor(QPalette::WindowText, windowColour);
    setPalette(form);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    // Tall enough for the whole 100-pixel picture.
    Image1->setGeometry(24, 8, 121, 100);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QResource picture(QStringLiteral(":/about.jpg"));
    if (m_platform.images && picture.isValid()) {
        const QImage image = m_platform.images->decodeJpeg(picture.uncompressedData());
        if (!image.isNull())
            Image1->setPixmap(QPixmap::fromImage(image));
    }

    Label1 = new QLabel(QStringLiteral("Veltrix by Morwen"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(serifFont(16, true));
    Label1->setAutoFillBackground(true);
    QPalette banner = Label1->palette();
    banner.setColor(QPalette::Window, buttonText);
    banner.setColor(QPalette::WindowText, windowColour);
    Label1->setPalette(banner);
    Label1->setContentsMargins(4, 0, 4, 0);
    Label1->setGeometry(144, 8, qMax(172, Label1->sizeHint().width()), 19);

    Label3 = new QLabel(QStringLiteral("Dank an Ravik"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(serifFont(11, false));
    // Ends where the banner ends, however wide the font makes it.
    const QSize credit = Label3->sizeHint().expandedTo(QSize(46, 14));
    Label3->setGeometry(Label1->geometry().right() + 1 - credit.width(), 28, credit.width(), credit.height());

    GroupBox1 = new QGroupBox(QStringLiteral(" Bug Report / Message "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(24, 112, 433, 185);

    Label2 = new QLabel(QStringLiteral("Gangstername:"), GroupBox1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(8, 19, Label2->sizeHint().width(), 21);

    Gangster = new QLineEdit(GroupBox1);
    Gangster->setObjectName(QStringLiteral("Gangster"));
    // The field yields to a wide font's label; its right edge stays.
    const int gangsterLeft = qMax(85, Label2->geometry().right() + 6);
    Gangster->setGeometry(gangsterLeft, 19, 337 - gangsterLeft, 21);
    Label2->setBuddy(Gangster);
    setTextColour(Gangster, QPalette::Text, Qt::black);

    Button2 = new QPushButton(QStringLiteral("Senden"), GroupBox1);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(352, 19, 73, 21);

    Betreff = new QComboBox(GroupBox1);
    Betreff->setObjectName(QStringLiteral("Betreff"));
    Betreff->setEditable(true);
    Betreff->setInsertPolicy(QComboBox::NoInsert);
    Betreff->addItems({QStringLiteral("Message"), QStringLiteral("Idee/Wunsch/Vorschlag"), QStringLiteral("Bug-Report"),
                       QStringLiteral("ich will einfach nur mal was loswerden :)")});
    Betreff->setCurrentIndex(-1);
    Betreff->setEditText(QStringLiteral("Betreff"));
    Betreff->setGeometry(8, 51, 417, 21);

    Mitteilung = new QPlainTextEdit(GroupBox1);
    Mitteilung->setObjectName(QStringLiteral("Mitteilung"));
    Mitteilung->setGeometry(8, 75, 417, 73);

    Label4 = new QLabel(QStringLiteral("E-Mail:"), GroupBox1);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(10, 155, 44, 21);
    setTextColour(Label4, QPalette::WindowText, Qt::white);

    email = new QLineEdit(kEmailPlaceholder, GroupBox1);
    email->setObjectName(QStringLiteral("email"));
    email->setGeometry(56, 155, 369, 21);
    email->installEventFilter(this);
    Label4->setBuddy(email);

    for (QWidget *field : {static_cast<QWidget *>(Betreff), static_cast<QWidget *>(Mitteilung),
                           static_cast<QWidget *>(email)})
        setTextColour(field, QPalette::Text, buttonText);

    Label5 = new LinkLabel(QStringLiteral("aktuelle Version"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label6 = new LinkLabel(QStringLiteral("IRC: ") + kChatNetwork + QLatin1Char(' ') + kChatChannel, this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label7 = new LinkLabel(QStringLiteral("changelog"), this);
    Label7->setObjectName(QStringLiteral("Label7"));
    // At their places, pushed right where a wider font would make them touch.
    int linkLeft = 0;
    for (auto [link, left] : {std::pair{Label5, 16}, std::pair{Label6, 104}, std::pair{Label7, 246}}) {
        link->adjustSize();
        linkLeft = qMax(left, linkLeft);
        link->move(linkLeft, 310);
        linkLeft = link->geometry().right() + 12;
    }

    Button1 = new QPushButton(QStringLiteral("Schließen"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(400, 310, 57, 17);

    setTabOrder(Button1, Betreff);
    setTabOrder(Betreff, Mitteilung);
    setTabOrder(Mitteilung, email);
    setTabOrder(email, Button2);
    setTabOrder(Button2, Gangster);

    connect(Button1, &QPushButton::clicked, this, [this] { guarded(m_platform, [this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { guarded(m_platform, [this] { Button2Click(); }); });
    connect(Label5, &LinkLabel::clicked, this, [this] { Label5Click(); });
    connect(Label6, &LinkLabel::clicked, this, [this] { Label6Click(); });
    connect(Label7, &LinkLabel::clicked, this, [this] { Label7Click(); });
}

void TfrmInfo::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (m_mainWindow) {
        const QPoint centre = m_mainWindow->frameGeometry().center();
        const QSize outer = frameGeometry().size();
        move(centre - QPoint(outer.width() / 2, outer.height() / 2));
    }
    if (!focusWidget())
        Button1->setFocus();
}

bool TfrmInfo::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == email && event->type() == QEvent::FocusIn) {
        // Coming back to the window is no new entry into the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            emailEnter();
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmInfo::Button1Click()
{
    hide();
}

void TfrmInfo::emailEnter()
{
    email->clear();
}

int TfrmInfo::chosenSubject() const
{
    // Typed text, even over a chosen entry, is no choice from the list.
    const int index = Betreff->currentIndex();
    return index >= 0 && Betreff->itemText(index) == Betreff->currentText() ? index : -1;
}

void TfrmInfo::Button2Click()
{
    if (Gangster->text().isEmpty()) {
        m_platform.messageBoxes->show(
            {QStringLiteral("Hinweis"),
             QStringLiteral("Bitte das Feld Gangstername ausfüllen, so daß auch eine Antwort erfolgen kann. :)"),
             MsgButtons::Ok});
        return;
    }
    const int subject = chosenSubject();
    if (subject < 0)
        throw VeltrixError(QStringLiteral("Listenindex überschreitet das Maximum (%1)").arg(subject));

    QString text = Mitteilung->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    const FormFields fields{
        {QStringLiteral("recipient"), m_platform.servers.contactRecipient},
        {QStringLiteral("subject"), Betreff->itemText(subject)},
        {QStringLiteral("text"), text},
        {QStringLiteral("Gangster"), Gangster->text()},
        {QStringLiteral("E-Mail"), email->text()},
    };
    const HttpResult result = m_platform.http
                                  ? m_platform.http->postForm(m_platform.servers.contactUrl + kContactTarget, formEncode(fields))
                                  : HttpResult{false, {}, QStringLiteral("no HTTP client")};
    m_platform.messageBoxes->show({kProgramName,
                                   result.ok ? QStringLiteral("Mitteilung gesendet.")
                                             : QStringLiteral("Error encountered during POST: ") + result.error,
                                   MsgButtons::Ok});
}

QString TfrmInfo::ircAddress()
{
    return QStringLiteral("irc:") + kChatServer + QStringLiteral(" -j ") + kChatChannel;
}

void TfrmInfo::openAddress(const QString &url)
{
    if (m_platform.urlOpener)
        m_platform.urlOpener->open(url);
}

void TfrmInfo::Label5Click()
{
    openAddress(m_platform.servers.updateUrl + kDownload);
}

void TfrmInfo::Label6Click()
{
    openAddress(ircAddress());
}

void TfrmInfo::Label7Click()
{
    openAddress(m_platform.servers.updateUrl + kChangelog);
}

} // namespace veltrix
