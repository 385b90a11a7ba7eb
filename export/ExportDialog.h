#pragma once
// The export dialog that the recorder's and the viewer's export dialogs share:
// export kind, destination with the file chooser, page scope with From and To,
// and the picture size in pixels, millimetres, inches or points. The rules of
// the controls live in ExportChoices; this form shows them and runs the chart
// actions of an export.

#include "chart/PEGraph.h"
#include "export/ExportChoices.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orvel {

class TExportDialog : public QDialog
{
    Q_OBJECT

public:
    TExportDialog(ExportOwner owner, QWidget *parent);

    // ---- controls
    QGroupBox *gbExportType = nullptr;
    QRadioButton *rbtnMetaFile = nullptr;
    QRadioButton *rbtnBitMap = nullptr;
    QRadioButton *rbtnText = nullptr;
    QGroupBox *gbExportDestination = nullptr;
    QRadioButton *rbtnClipBoard = nullptr;
    QRadioButton *rbtnFile = nullptr;
    QRadioButton *rbtnPrinter = nullptr;
    QPushButton *btnBrowse = nullptr;
    QLabel *stxFileName = nullptr; ///< the chosen file name, shortened to 30 characters
    QGroupBox *gbPageScope = nullptr;
    QRadioButton *rbtnPageAll = nullptr;
    QRadioButton *rbtnThisPage = nullptr;
    QRadioButton *rbtnPage = nullptr;
    QLabel *lblFrom = nullptr;
    QLineEdit *editPageFrom = nullptr;
    QLabel *lblTo = nullptr;
    QLineEdit *editPageTo = nullptr;
    QGroupBox *gbObjectSize = nullptr;
    QRadioButton *rbtnPixels = nullptr;
    QRadioButton *rbtnMillimeters = nullptr;
    QRadioButton *rbtnInches = nullptr;
    QRadioButton *rbtnPoints = nullptr;
    QLabel *lblWidth = nullptr;
    QLineEdit *editWidth = nullptr;
    QLabel *lblSlash = nullptr;
    QLineEdit *editHigh = nullptr;
    QLabel *lblUnit = nullptr;
    QPushButton *btnExport = nullptr;
    QPushButton *btnCancel = nullptr;

    /// The choices the controls show, kept between showings.
    const ExportChoices &choices() const { return Choices; }

    // ---- handlers
    void btnBrowseClick();
    /// Takes the typed sizes and closes with OK; stays open when a size was refused.
    void btnExportClick();

signals:
    /// A page of an export went to its destination (the recorder numbers it; the viewer's is 1).
    void pageExported(int page);

protected:
    /// Shows the owner's preparation: `kind` and This Page chosen (each rule only when the
    /// choice is new), From and To, and no file name.
    void prepare(ExportKind kind, const QString &from, const QString &to);
    /// File chosen without a name: message 9013. True when the export may go on.
    bool checkFileName();
    /// Runs the export of the chart as it is: its size and file name set, then the action for the
    /// chosen kind and destination. The printer prints in monochrome, through the print dialog
    /// when `printDialog` is set. PEError::None when it succeeded.
    PEError exportChart(PEGraph &chart, bool printDialog);
    /// Says why an export failed (nothing for a cancelled print dialog).
    void reportFailure(const PEGraph &chart, PEError error);
    /// A numbered error: the platform's own texts (91xx) under the program's title, the
    /// program's under "Error[E%d]".
    void showError(int id, const QString &text);

    ExportChoices Choices;

private:
    void BuildControls();
    void syncControls();
    void kindToggled(ExportKind kind, bool on);
    void destinationToggled(ExportDestination destination, bool on);
    void scopeToggled(PageScope scope, bool on);
    void unitToggled(SizeUnit unit, bool on);
    /// Takes a size box's text; false (the box showing the stored value again) when refused.
    bool commitSize(QLineEdit *box, bool width);
};

} // namespace orvel
