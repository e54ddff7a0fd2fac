// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

class QPushButton;
class QStackedWidget;
class QWidget;

namespace quillary {

// The modal frame of both wizards: pages without tabs, moved through with "<< Back" and
// "Next >>", and the list of the pages the wizard's current choice uses. On the last page
// "Next >>" reads "Finish" and closes the form with the OK result; the derived wizard does its
// work in FormClose, which may keep the form open.
class TWizardForm : public QDialog
{
    Q_OBJECT

public:
    explicit TWizardForm(QWidget* parent = nullptr);

    // The object names of the pages in the sequence, in the order they are shown.
    const QStringList& VisibleSheets() const { return m_visibleSheets; }
    int CurrentPage() const { return m_currentPage; }
    QWidget* ActivePage() const;
    void GoToPage(int index);
    void NextPage();
    void PrevPage();
    // Every page, in page order; derived wizards then drop the pages their choice does not use.
    void ShowAllSheets();
    void RemoveSheet(const QString& name);
    // A sequence in an order of the wizard's own, for choices that put a later page first.
    void SetSheets(const QStringList& names);
    // Moves to the named sheet of the sequence, as after the sequence changed under the page
    // shown; "Next >>" reads "Finish" when it is the last.
    void GoToSheet(const QString& name);

    QPushButton* NextBtn() const { return m_nextBtn; }
    QPushButton* PrevBtn() const { return m_prevBtn; }
    QPushButton* CancelBtn() const { return m_cancelBtn; }
    // Whether "Next >>" currently closes the form (it reads "Finish").
    bool NextBtnFinishes() const { return m_nextFinishes; }

    void done(int result) override;

protected:
    // Adds a page at the end of the page control, named for VisibleSheets.
    void AddPage(QWidget* page, const QString& name);
    virtual void NextBtnClick();
    virtual void PrevBtnClick();
    // The work of an OK close; false keeps the form open (after telling the user why).
    virtual bool FormClose() { return true; }
    void SetHelpContext(int context) { m_helpContext = context; }

signals:
    void HelpRequested(int context);

private:
    void ActivatePage();
    void SetNextFinishes(bool finishes);

    QStackedWidget* m_pageControl = nullptr;
    QPushButton* m_cancelBtn = nullptr;
    QPushButton* m_prevBtn = nullptr;
    QPushButton* m_nextBtn = nullptr;
    QStringList m_visibleSheets;
    int m_currentPage = 0;
    bool m_nextFinishes = false;
    int m_helpContext = 0;
};

} // namespace quillary
