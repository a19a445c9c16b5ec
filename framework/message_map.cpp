#include "framework/message_map.h"

const MessageMapEntry* MessageMap::Find(UINT message, WPARAM wParam) const {
    for (const MessageMap* map = this; map != nullptr; map = map->base) {
        for (std::size_t i = 0; i < map->count; ++i) {
            const MessageMapEntry& entry = map->entries[i];
            if (entry.message != message) {
                continue;
            }
            if (message == WM_COMMAND &&
                (entry.controlId != LOWORD(wParam) || entry.notifyCode != HIWORD(wParam))) {
                continue;
            }
            return &entry;
        }
    }
    return nullptr;
}
