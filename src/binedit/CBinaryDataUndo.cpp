// Undo and redo of CBinaryData: each step remembers every byte it wrote, its
// value before and after and whether it was a change already, so that undoing
// the last step of a byte leaves it as the file has it, not as a change.
#include "binedit/CBinaryData.h"

namespace zq::binedit {

void CBinaryData::Restore(std::int64_t offset, std::uint8_t value, bool changed) {
    const auto bucket = m_buckets.find(offset / kBucketBytes);
    if (bucket == m_buckets.end()) return;
    const std::int64_t base = offset - offset % kChunkBytes;
    for (auto chunk = bucket->second.begin(); chunk != bucket->second.end(); ++chunk) {
        if (chunk->base != base) continue;
        const int i = static_cast<int>(offset - base);
        chunk->data[i] = value;
        if (changed)
            chunk->changed |= 1U << i;
        else
            chunk->changed &= ~(1U << i);
        if (chunk->changed == 0) {
            bucket->second.erase(chunk);
            if (bucket->second.empty()) m_buckets.erase(bucket);
        }
        return;
    }
}

bool CBinaryData::Undo() {
    if (m_undo.empty()) return false;
    Step step = std::move(m_undo.back());
    m_undo.pop_back();
    for (auto byte = step.rbegin(); byte != step.rend(); ++byte) Restore(byte->offset, byte->before, byte->wasChanged);
    m_redo.push_back(std::move(step));
    m_newStep = true;
    return true;
}

bool CBinaryData::Redo() {
    if (m_redo.empty()) return false;
    Step step = std::move(m_redo.back());
    m_redo.pop_back();
    m_replaying = true;
    for (const StepByte& byte : step) (void)WriteByte(byte.offset, byte.after, WriteMode::Byte);
    m_replaying = false;
    m_undo.push_back(std::move(step));
    m_newStep = true;
    return true;
}

}  // namespace zq::binedit
