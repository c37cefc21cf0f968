#include "dialer/line_entries.h"

#include "base/wipe_text.h"

namespace orv {

LineEntries LineEntryStates(const DialControls& controls, const CurrentConnection& current,
                            bool redialPending) {
    DialForm form = controls.ReadForm();
    const bool named = form.useExisting ? !form.entryName.empty() : !form.phoneNumber.empty();
    WipeText(form.password);
    WipeText(form.userName);
    const bool held = current.handle != 0 || redialPending;
    return {!held && named, held};
}

}  // namespace orv
