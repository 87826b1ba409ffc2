#pragma once
#include "ui/dialogs.h"

class QWidget;

namespace corvane {

// The real dialogs, parented to the window that runs them.
class QtDialogProvider : public DialogProvider
{
public:
    explicit QtDialogProvider(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    bool runSave(SaveDialogState &dlg, const std::function<void(int)> &typeChange) override;
    bool runOpen(const QString &title, const QString &filter, QString &fileName) override;
    bool runColour(uint32_t &colour) override;
    void showError(const QString &title, const QString &text) override;

private:
    QWidget *m_parent;
    uint32_t m_lastColour = 0;  // the colour dialog opens on the colour chosen last
};

} // namespace corvane
