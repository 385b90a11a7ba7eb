#pragma once
// The data list: every stored reading as one line of text.

#include <QWidget>

namespace orvel {

class TDataPageListForm : public QWidget
{
    Q_OBJECT

public:
    explicit TDataPageListForm(QWidget *parent = nullptr);
};

extern TDataPageListForm *DataPageListForm;

} // namespace orvel
