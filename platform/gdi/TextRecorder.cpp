// The text recorder: one store at a time, reached by the drawing code through an atomic pointer
// (no cost while nobody records), filled under its own lock from any thread.
#include "platform/gdi/TextRecorder.h"

#include "platform/gdi/DcInternal.h"

#include <atomic>
#include <cmath>
#include <mutex>

struct platform::TextRecorder::Store
{
    mutable std::mutex lock;
    std::vector<DrawnText> texts;
};

namespace {

std::mutex s_installLock;
std::shared_ptr<platform::TextRecorder::Store> s_installed;
std::atomic<bool> s_recording { false };

} // namespace

namespace platform {

TextRecorder::TextRecorder() : m_store(std::make_shared<Store>())
{
    std::lock_guard lock(s_installLock);
    s_installed = m_store;
    s_recording = true;
}

TextRecorder::~TextRecorder()
{
    std::lock_guard lock(s_installLock);
    if (s_installed == m_store) {
        s_installed.reset();
        s_recording = false;
    }
}

std::vector<DrawnText> TextRecorder::Texts() const
{
    std::lock_guard lock(m_store->lock);
    return m_store->texts;
}

void TextRecorder::Clear()
{
    std::lock_guard lock(m_store->lock);
    m_store->texts.clear();
}

} // namespace platform

namespace platform::gdi {

void RecordText(const DcData& d, const std::string& text, const CRect& surfaceBox, const CRect* surfaceCell,
                bool clipped)
{
    if (!s_recording.load(std::memory_order_relaxed))
        return;
    std::shared_ptr<TextRecorder::Store> store;
    {
        std::lock_guard lock(s_installLock);
        store = s_installed;
    }
    if (!store)
        return;
    const auto logical = [&d](const CRect& r) {
        const POINT a = d.ToLogical(r.left - d.origin.x, r.top - d.origin.y);
        const POINT b = d.ToLogical(r.right - d.origin.x, r.bottom - d.origin.y);
        return CRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
    };
    DrawnText drawn;
    drawn.text = text;
    drawn.box = logical(surfaceBox);
    if (surfaceCell != nullptr)
        drawn.cell = logical(*surfaceCell);
    drawn.clippedToCell = clipped && surfaceCell != nullptr;
    drawn.opaque = d.st.bkMode == OPAQUE;
    drawn.scale = std::abs(d.ScaleY());
    drawn.capitalHeight = static_cast<int>(std::lround(d.st.font->capitalRatio * d.st.font->emPixels * drawn.scale));
    drawn.color = d.st.textColor;
    drawn.target = d.surface ? static_cast<const void*>(d.surface.get()) : static_cast<const void*>(&d);
    drawn.printed = d.kind == DcKind::Printer;
    std::lock_guard lock(store->lock);
    store->texts.push_back(std::move(drawn));
}

} // namespace platform::gdi
