#pragma once
// The checks the pages make before a device command.
#include <initializer_list>
#include <string_view>

#include "ui/Control.h"
#include "ui/Messages.h"

namespace page {

inline constexpr std::u16string_view kCodeTooShort =
    u"Código de Ativação deve ter no mínimo 8 caracteres.";

// Whether a code is too short to send: fewer than 8 characters once the
// blanks at both ends are gone.
bool isShortCode(std::u16string_view code);

// Tells the user what is wrong with an input and puts the focus in it. The
// fields in `cleared` are emptied only once the message is gone, so the user
// reads it over what was typed.
void refuseInput(ui::Messages& messages, std::u16string_view message, ui::Control& field,
                 std::initializer_list<ui::Control*> cleared = {});

}  // namespace page
