#pragma once
// The graphical recorder: stores readings and charts them page by page.

#include <QWidget>

namespace orvel {

class TGraphicalForm : public QWidget
{
    Q_OBJECT

public:
    explicit TGraphicalForm(QWidget *parent = nullptr);

    bool bBufferEmpty = true;    ///< nothing stored since the last clear
    bool bUnsaved = false;       ///< the buffer holds data not yet saved to a file
    bool bSampleRequest = false; ///< the next reading of the acquisition tick is to be stored
    bool bRecording = false;     ///< automatic recording runs
    int iReadingsTaken = 0;      ///< UM_READING messages handled since start-up

    /// The save command (the Save button).
    void sbtnSaveFileClick();

protected:
    void customEvent(QEvent *event) override;

private:
    /// UM_READING: the requested reading has come.
    void UmReading();
    /// UM_LINK_ENDED: the link was released while this window may be recording.
    void UmLinkEnded();
};

extern TGraphicalForm *GraphicalForm;

} // namespace orvel
