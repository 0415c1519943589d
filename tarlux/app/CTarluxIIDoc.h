// CTarluxIIDoc: the review station's document. It holds nothing: the review works on the
// database and the recording files through the review context, and the document is never
// opened from or saved to a file.
#pragma once

#include "platform/ui/framework/Document.h"

namespace tarlux {

class CTarluxIIDoc : public CDocument
{
};

} // namespace tarlux
