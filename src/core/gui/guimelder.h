#pragma once

#include "core/meldungen.h"

namespace obi {

// Modal message boxes: caption, icon by kind, one "OK" button; questions
// with "OK"/"Abbrechen" where Escape or closing counts as "Abbrechen".
class GuiMelder final : public Melder
{
public:
    void zeige(const QString &text, QChar art, const QString &titel) override;
    bool frage(const QString &frage) override;
};

} // namespace obi
