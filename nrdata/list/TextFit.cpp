// Text fit for the table classes' FieldCheck.
#include "nrdata/list/TextFit.h"

#include "ktutil/KTGF.h"

int FitText(CString& text, int width, BOOL cut)
{
    if (text.GetLength() <= width)
        return 1;
    if (cut)
        text = KTGF::AbbreviateText(text, width);
    return 0;
}
