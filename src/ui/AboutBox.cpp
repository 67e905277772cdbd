#include "ui/AboutBox.h"

#include "base/TranslationManager.h"
#include "online/ServerEndpoint.h"
#include "online/UpdateCheck.h"

#include <QFont>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kCreatedYear = 2026;
constexpr int kLastUpdateYear = 2026;

QLabel* WrappedLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    // Every text set is HTML; without this a text that has no tag would show its entities.
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    label->setOpenExternalLinks(true);
    return label;
}

QString Link(const QString& address, const QString& caption)
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(address.toHtmlEscaped(), caption.toHtmlEscaped());
}

} // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    panels = new QTabWidget(this);

    auto* information = new QWidget(panels);
    information->setObjectName(QStringLiteral("InformationPanel"));
    auto* picture = new QLabel(information);
    picture->setPixmap(QIcon(QStringLiteral(":/icons/nodeloom.svg")).pixmap(64, 64));
    title = new QLabel(information);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    title->setFont(big);
    facts = WrappedLabel(information);
    licence = WrappedLabel(information);
    thanksHeading = new QLabel(information);
    QFont bold = thanksHeading->font();
    bold.setBold(true);
    thanksHeading->setFont(bold);
    thanks = WrappedLabel(information);
    auto* head = new QHBoxLayout;
    head->addWidget(picture, 0, Qt::AlignTop);
    auto* headText = new QVBoxLayout;
    headText->addWidget(title);
    headText->addWidget(facts);
    head->addLayout(headText, 1);
    auto* informationLayout = new QVBoxLayout(information);
    informationLayout->addLayout(head);
    informationLayout->addWidget(licence);
    informationLayout->addWidget(thanksHeading);
    informationLayout->addWidget(thanks);
    informationLayout->addStretch();

    auto* contact = new QWidget(panels);
    contact->setObjectName(QStringLiteral("ContactPanel"));
    siteLink = WrappedLabel(contact);
    mailLink = WrappedLabel(contact);
    support = WrappedLabel(contact);
    feedbackButton = new QPushButton(contact);
    connect(feedbackButton, &QPushButton::clicked, this, [this] {
        if (OpenFeedback)
            OpenFeedback();
    });
    auto* contactLayout = new QVBoxLayout(contact);
    contactLayout->addWidget(siteLink);
    contactLayout->addWidget(mailLink);
    contactLayout->addSpacing(12);
    contactLayout->addWidget(support);
    contactLayout->addWidget(feedbackButton, 0, Qt::AlignLeft);
    contactLayout->addStretch();

    panels->addTab(information, QString());
    panels->addTab(contact, QString());
    closeButton = new QPushButton(this);
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panels);
    layout->addWidget(closeButton, 0, Qt::AlignRight);
    resize(460, 400);
    ApplyCaptions();
}

void AboutBox::ApplyCaptions()
{
    setWindowTitle(Translate("about"));
    panels->setTabText(0, Translate("inform"));
    panels->setTabText(1, TranslatePlain("FeedBack"));
    title->setText(Translate("Program_") + Translate("Nodeloom"));
    const QString year = Translate("yar");
    facts->setText(Translate("ver").toHtmlEscaped() +
                   QStringLiteral(NODELOOM_VERSION " (%1)").arg(kProgramVersionNumber) +
                   QStringLiteral("<br>") + Translate("mainDev").toHtmlEscaped() +
                   Translate("me").toHtmlEscaped() + QStringLiteral("<br>") +
                   Translate("Date_create").toHtmlEscaped() + QString::number(kCreatedYear) +
                   year.toHtmlEscaped() + QStringLiteral("<br>") + Translate("last_update").toHtmlEscaped() +
                   QString::number(kLastUpdateYear) + year.toHtmlEscaped());
    licence->setText(Translate("licenseText").toHtmlEscaped());
    thanksHeading->setText(Translate("gratitude_qel"));
    thanks->setText(Translate("algor_from_book").toHtmlEscaped() + QStringLiteral("<br>") +
                    Translate("about_libraries").toHtmlEscaped());
    siteLink->setText(Translate("SiteProgram:").toHtmlEscaped() + QLatin1Char(' ') +
                      Link(WebSiteAddress(), WebSiteAddress()));
    mailLink->setText(Link(QStringLiteral("mailto:") + ContactMailAddress(), Translate("WriteToAutor")) +
                      QStringLiteral(": ") + ContactMailAddress().toHtmlEscaped());
    support->setText(QStringLiteral("<b>%1</b><br>%2 %3")
                         .arg(Translate("LokeProgram").toHtmlEscaped(),
                              Translate("IfwantSupport").toHtmlEscaped(),
                              Translate("SendMindTo").toHtmlEscaped()));
    feedbackButton->setText(Translate("SendToAuthor"));
    closeButton->setText(Translate("Close"));
}

void AboutBox::ShowPanel(Panel panel)
{
    panels->setCurrentIndex(panel == Panel::Information ? 0 : 1);
}

AboutBox::Panel AboutBox::VisiblePanel() const
{
    return panels->currentIndex() == 0 ? Panel::Information : Panel::Contact;
}

void AboutBox::Execute(Panel panel)
{
    ShowPanel(panel);
    if (parentWidget())
        move(parentWidget()->window()->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    Exec ? Exec(*this) : exec();
}
