#pragma once
// The port dialog: chooses which of COM1 … COM8 the meter is on. Only the ports
// found at start-up can be chosen; each shows the device it opens.

#include <QDialog>

#include <array>
#include <memory>
#include <vector>

class QDialogButtonBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QThread;

namespace orvel {

struct ProgramState;

class TDlgRsPortForm : public QDialog
{
    Q_OBJECT

public:
    /// The dialog over the ports that `state` found (and may not open).
    explicit TDlgRsPortForm(const ProgramState &state, QWidget *parent = nullptr);
    ~TDlgRsPortForm() override;

    int iPortNo = 1; ///< the chosen port, 1..8: written by the caller before showing, read after OK

    std::array<QRadioButton *, 8> rbtnCom{}; ///< rbtnCom1 … rbtnCom8: odd ports left, even right
    std::array<QLabel *, 8> lblDevice{};     ///< the device path beside each port
    QLabel *lblAccess = nullptr;             ///< under the ports: which ones the user may not open, and why
    QLabel *lblMeters = nullptr;             ///< under them: the ports a meter talks on, and what it shows
    QPushButton *bbtnOk = nullptr;
    QPushButton *bbtnCancel = nullptr;

    /// Enables the ports found at start-up and checks the working port.
    void FormShow();
    /// Takes the first checked port into iPortNo and closes with OK.
    void bbtnOkClick();

    /// How long each port that opens is listened to for a meter, ms (0: not at all).
    int iListenMs = 1000;
    /// What was heard on each port at the last showing: "meter: 1.234 V DC", or empty.
    std::array<QString, 8> sHeard{};
    /// Waits until the ports are listened to and closed again (at most iListenMs).
    void waitForListening();
    /// Listening is still going on.
    bool listening() const { return iListening > 0; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    const ProgramState &State;

    /// Listens on every port that opens, each on its own thread, and shows
    /// beside each what was heard; the dialog stays responsive meanwhile.
    void startListening();
    void showHeard(int generation, int port, const QString &text);

    std::array<QString, 8> sPaths{}; ///< each port's device at this showing
    std::vector<std::unique_ptr<QThread>> listeners_;
    int iListening = 0;  ///< listeners that have not reported yet
    int iGeneration = 0; ///< the showing the listeners belong to

    /// Lays out the notes that have a text under the ports; the dialog grows by their height.
    void placeNotes();

    QFrame *bevel_ = nullptr;
    QDialogButtonBox *buttons_ = nullptr;
};

extern TDlgRsPortForm *DlgRsPortForm;

} // namespace orvel
