// One entry of a remote folder.
#include "ktutilex/KTFtp.h"

void KTFtpItem::Clear()
{
    m_strName.Empty();
    m_dwSize = 0;
    m_nType = 0;
}
