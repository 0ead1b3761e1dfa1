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
#include <QStyle>
#include <QStyleOptionButton>

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

} // namespace

// ---- TfrmInfo ----

TfrmInfo::TfrmInfo(QWidget *mainWindow, const Platform &platform)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_mainWindow(mainWindow), m_platform(platform)
{
    initVeltrixResources();
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("Info"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setScaledFixedSize(this, {478, 329});
    createControls();
    keepScaled(this, [this] { placeByText(); });
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
    setScaledGeometry(Image1, {24, 8, 121, 100});
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QResource picture(QStringLiteral(":/about.jpg"));
    if (m_platform.images && picture.isValid()) {
        const QImage image = m_platform.images->decodeJpeg(picture.uncompressedData());
        // The picture grows with the window; at the designed size it stays as drawn.
        if (!image.isNull()) {
            keepScaled(Image1, [this, image] {
                const QSize size = scaled(image.size());
                Image1->setPixmap(QPixmap::fromImage(
                    size == image.size() ? image : image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
            });
        }
    }

    Label1 = new QLabel(QStringLiteral("Veltrix by Morwen"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    setScaledPixelFont(Label1, serifFont(16, true), 16);
    Label1->setAutoFillBackground(true);
    QPalette banner = Label1->palette();
    banner.setColor(QPalette::Window, buttonText);
    banner.setColor(QPalette::WindowText, windowColour);
    Label1->setPalette(banner);
    keepScaled(Label1, [this] { Label1->setContentsMargins(scaled(4), 0, scaled(4), 0); });

    Label3 = new QLabel(QStringLiteral("Dank an Ravik"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    setScaledPixelFont(Label3, serifFont(11, false), 11);

    GroupBox1 = new QGroupBox(QStringLiteral(" Bug Report / Message "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    setScaledGeometry(GroupBox1, {24, 112, 433, 185});

    Label2 = new QLabel(QStringLiteral("Gangstername:"), GroupBox1);
    Label2->setObjectName(QStringLiteral("Label2"));

    Gangster = new QLineEdit(GroupBox1);
    Gangster->setObjectName(QStringLiteral("Gangster"));
    Label2->setBuddy(Gangster);
    setTextColour(Gangster, QPalette::Text, Qt::black);

    Button2 = new QPushButton(QStringLiteral("Senden"), GroupBox1);
    Button2->setObjectName(QStringLiteral("Button2"));
    setScaledGeometry(Button2, {352, 19, 73, 21});

    Betreff = new QComboBox(GroupBox1);
    Betreff->setObjectName(QStringLiteral("Betreff"));
    Betreff->setEditable(true);
    Betreff->setInsertPolicy(QComboBox::NoInsert);
    Betreff->addItems({QStringLiteral("Message"), QStringLiteral("Idee/Wunsch/Vorschlag"), QStringLiteral("Bug-Report"),
                       QStringLiteral("ich will einfach nur mal was loswerden :)")});
    Betreff->setCurrentIndex(-1);
    Betreff->setEditText(QStringLiteral("Betreff"));
    setScaledGeometry(Betreff, {8, 51, 417, 21});

    Mitteilung = new QPlainTextEdit(GroupBox1);
    Mitteilung->setObjectName(QStringLiteral("Mitteilung"));
    setScaledGeometry(Mitteilung, {8, 75, 417, 73});

    Label4 = new QLabel(QStringLiteral("E-Mail:"), GroupBox1);
    Label4->setObjectName(QStringLiteral("Label4"));
    setScaledGeometry(Label4, {10, 155, 44, 21});
    setTextColour(Label4, QPalette::WindowText, Qt::white);

    email = new QLineEdit(kEmailPlaceholder, GroupBox1);
    email->setObjectName(QStringLiteral("email"));
    setScaledGeometry(email, {56, 155, 369, 21});
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

    Button1 = new QPushButton(QStringLiteral("Schließen"), this);
    Button1->setObjectName(QStringLiteral("Button1"));

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

void TfrmInfo::placeByText()
{
    Label1->setGeometry(scaled(144), scaled(8), qMax(scaled(172), Label1->sizeHint().width()), scaled(19));
    // Ends where the banner ends, however wide the font makes it.
    const QSize credit = Label3->sizeHint().expandedTo(scaled(QSize(46, 14)));
    Label3->setGeometry(Label1->geometry().right() + 1 - credit.width(), scaled(28), credit.width(), credit.height());

    Label2->setGeometry(scaled(8), scaled(19), Label2->sizeHint().width(), scaled(21));
    // The field yields to a wide font's label; its right edge stays.
    const int gangsterLeft = qMax(scaled(85), Label2->geometry().right() + scaled(6));
    Gangster->setGeometry(gangsterLeft, scaled(19), scaled(337) - gangsterLeft, scaled(21));

    // The small close button grows up and left where a tall font needs more
    // room than designed.
    const QRect close = scaled(QRect(400, 310, 57, 17));
    Button1->setGeometry(close);
    QStyleOptionButton option;
    option.initFrom(Button1);
    option.text = Button1->text();
    const QRect room = Button1->style()->subElementRect(QStyle::SE_PushButtonContents, &option, Button1);
    const QFontMetrics metrics = Button1->fontMetrics();
    // The caption keeps half a space from either edge.
    const int text = metrics.size(Qt::TextShowMnemonic, Button1->text()).width();
    const int wider = qMax(0, qMax(text - room.width(), text + metrics.horizontalAdvance(QLatin1Char(' ')) - close.width()));
    const int taller = qMax(0, metrics.height() - room.height());
    Button1->setGeometry(close.adjusted(-wider, -taller, 0, 0));

    // At their places, pushed right where a wider font would make them touch.
    int linkLeft = 0;
    for (auto [link, left] : {std::pair{Label5, 16}, std::pair{Label6, 104}, std::pair{Label7, 246}}) {
        link->adjustSize();
        linkLeft = qMax(scaled(left), linkLeft);
        link->move(linkLeft, scaled(310));
        linkLeft = link->geometry().right() + scaled(12);
    }
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
    fitOnScreen(this);
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
