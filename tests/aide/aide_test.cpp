// The help window as the screens open it: each page at the topic they ask for, one window for
// all, and pages whose links all lead somewhere.
#include <QDialog>
#include <QScrollBar>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include "platform/components/aide/composant_aide.h"
#include "tests/support/gui_test.h"

namespace {

class AideTest : public GuiTest {
  protected:
    void TearDown() override {
        if (QTextBrowser* w = Composant_Aide::Instance().window())
            w->close();
        settle();
        GuiTest::TearDown();
    }

    static QTextBrowser* helpWindow() { return qobject_cast<QTextBrowser*>(topLevel("Frm_Aide")); }

    // Text of the first line shown at the top of the window.
    static QString topLine(QTextBrowser* browser) {
        return browser->cursorForPosition(QPoint(10, 8)).block().text().trimmed();
    }
};

TEST_F(AideTest, EachScreenOpensItsPageAtItsTopic) {
    struct Case {
        const char* topic;
        const char* kind;
        const char* file;
        const char* heading;
        bool atTop;
    };
    const Case cases[] = {
        {"Association", "P", "Assoc.htm", "Association", true},
        {"Cotisation de l'association", "S", "AssocEtablissements.htm",
         "Cotisation de l'association", false},
        {"Activités de l'association", "S", "AssocActivites.htm", "Activités de l'association",
         true},
        {"Onglet Personnel", "S", "Assoc.htm", "Onglet Personnel", false},
    };
    for (const Case& c : cases) {
        Composant_Aide::Instance().ShowTopic(c.topic, c.kind, c.file);
        settle(50);
        QTextBrowser* browser = helpWindow();
        ASSERT_NE(browser, nullptr) << c.file;
        EXPECT_TRUE(browser->source().toString().endsWith(QString::fromLatin1(c.file)));
        EXPECT_TRUE(browser->windowTitle().startsWith("Aide MERIDOVAL"));
        EXPECT_EQ(browser->document()->begin().charFormat().fontPointSize(), 16)
            << "the shared style sheet gives the title its size";
        EXPECT_EQ(topLine(browser), QString::fromUtf8(c.heading)) << c.topic;
        if (c.atTop) {
            EXPECT_EQ(browser->verticalScrollBar()->value(), 0) << c.topic;
        } else {
            EXPECT_GT(browser->verticalScrollBar()->value(), 0) << c.topic;
        }
    }
}

TEST_F(AideTest, OneWindowServesEveryCallAndAnUnknownTopicShowsThePageTop) {
    Composant_Aide::Instance().ShowTopic("Onglet Personnel", "S", "Assoc.htm");
    settle(50);
    Composant_Aide::Instance().ShowTopic("Sujet inconnu", "S", "AssocActivites.htm");
    settle(50);
    int windows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        windows += w->objectName() == "Frm_Aide" && w->isVisible();
    EXPECT_EQ(windows, 1);
    QTextBrowser* browser = helpWindow();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->source().toString().endsWith("AssocActivites.htm"));
    EXPECT_EQ(browser->verticalScrollBar()->value(), 0);
}

TEST_F(AideTest, AnUnknownPageIsReportedAndOpensNothing) {
    answers.expect(QString::fromUtf8("La page d'aide « Inconnu.htm » n'existe pas."),
                   QMessageBox::Warning);
    Composant_Aide::Instance().ShowTopic("Association", "P", "Inconnu.htm");
    EXPECT_TRUE(answers.waitAnswered());
    EXPECT_EQ(helpWindow(), nullptr);
    for (const char* notAPage : {"../CMakeLists.txt", "aide.css"}) {
        answers.expect("n'existe pas");
        Composant_Aide::Instance().ShowTopic("Association", "P", notAPage);
        EXPECT_TRUE(answers.waitAnswered()) << notAPage;
    }
}

// Anchors named in a page, and the links it holds.
struct PageLinks {
    QSet<QString> anchors;
    QStringList hrefs;
};

PageLinks linksOf(const QString& file) {
    QTextBrowser browser;
    browser.setSource(QUrl(Composant_Aide::PageUrl(file.toStdString())));
    PageLinks links;
    for (QTextBlock b = browser.document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (const QString& name : format.anchorNames())
                links.anchors.insert(name);
            if (!format.anchorHref().isEmpty())
                links.hrefs << format.anchorHref();
        }
    }
    return links;
}

TEST_F(AideTest, EveryLinkOfThePagesLeadsToAnExistingSection) {
    const QStringList pages = {"Assoc.htm", "AssocEtablissements.htm", "AssocActivites.htm"};
    QHash<QString, PageLinks> all;
    for (const QString& page : pages) {
        all[page] = linksOf(page);
        EXPECT_GT(all[page].anchors.size(), 8) << page.toStdString();
    }
    for (const QString& page : pages) {
        for (const QString& href : all[page].hrefs) {
            const QString target =
                href.section('#', 0, 0).isEmpty() ? page : href.section('#', 0, 0);
            const QString anchor = href.section('#', 1);
            ASSERT_TRUE(all.contains(target)) << page.toStdString() << " -> " << href.toStdString();
            if (!anchor.isEmpty()) {
                EXPECT_TRUE(all[target].anchors.contains(anchor))
                    << page.toStdString() << " -> " << href.toStdString();
            }
        }
    }
}

// Position, in the window, of the first link to href shown by browser.
QPoint linkPosition(QTextBrowser* browser, const QString& href) {
    for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorHref() == href) {
                QTextCursor cursor(browser->document());
                cursor.setPosition(it.fragment().position() + 1);
                const QPoint inViewport = browser->cursorRect(cursor).center();
                return browser->viewport()->mapTo(browser->window(), inViewport);
            }
        }
    }
    return {};
}

TEST_F(AideTest, HelpOpenedFromAModalWindowTakesTheUsersClicks) {
    QDialog modal;
    modal.setObjectName("Frm_Etablissement");
    bool clicked = false;
    QTimer::singleShot(0, &modal, [&] {
        Composant_Aide::Instance().ShowTopic("Association", "P", "Assoc.htm");
        settle(100);
        QTextBrowser* browser = helpWindow();
        ASSERT_NE(browser, nullptr);
        const QPoint link = linkPosition(browser, "#gestion-cesu");
        ASSERT_FALSE(link.isNull());
        // Through the window system, where a modal window blocks the others.
        QTest::mouseClick(browser->window()->windowHandle(), Qt::LeftButton, {}, link);
        settle(100);
        clicked = browser->verticalScrollBar()->value() > 0;
        modal.accept();
    });
    modal.exec();
    EXPECT_TRUE(clicked) << "the link of the help window did not react";
}

}  // namespace
