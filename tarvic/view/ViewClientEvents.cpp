// What the beds send up (WM_CLIENT_NOTIFY), the per-bed command dispatcher and the per-bed
// dialogs.
#include "tarvic/view/CTarvicIIView.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/res/TarvicResourceIds.h"

#include "nyraclient/client/ClientMessages.h"
#include "nyraclient/client/DeferredDelete.h"
#include "nyraclient/client/NyraClientInfo.h"

#include "platform/core/Check.h"
#include "platform/ui/dialogs/Dialog.h"

// ==== notifications ==============================================================================

LRESULT CTarvicIIView::OnClientNotify(WPARAM wParam, LPARAM lParam)
{
    auto* client = reinterpret_cast<NyraClientInfo*>(wParam);
    const auto* record = reinterpret_cast<const _CLIENT_NOTIFY*>(lParam);
    if (client == nullptr || record == nullptr)
        return 0;
    // The record lives only during the call; the bed lives at least as long as its handling.
    const _CLIENT_NOTIFY notify = *record;
    const nyraclient::NotifyScope holdBed;
    switch (notify.nCode) {
    case CLIENT_NOTIFY_COMMAND:
        ExecuteClientCommand(client, static_cast<int>(notify.dwValue));
        break;
    case CLIENT_NOTIFY_RECORD_END:
        EndRecord(client);
        break;
    case CLIENT_NOTIFY_RECORD_UPDATE:
        UpdateStudy(client);
        break;
    case CLIENT_NOTIFY_TREND_SETTING:
        m_Dialogs.trendVisible(*this, *client);
        break;
    case CLIENT_NOTIFY_DISCONNECTED:
        if (m_pBedDialog != nullptr && m_pBedDialogClient == client) {
            m_bBedDialogClientGone = TRUE;
            if (::IsWindow(m_pBedDialog->GetSafeHwnd()))
                m_pBedDialog->EndDialog(IDCANCEL);
        }
        break;
    default:
        break;
    }
    return 0;
}

void CTarvicIIView::ExecuteClientCommand(NyraClientInfo* pClient, int nCommand)
{
    if (pClient == nullptr)
        return;
    switch (nCommand) {
    case NYRACMD_ADMIT_OFF:
    case NYRACMD_ADMIT_ON:
        break;
    case NYRACMD_RECORD_START:
        StartRecord(pClient);
        break;
    case NYRACMD_RECORD_STOP:
        pClient->RecordStop();
        break;
    case NYRACMD_SOUND_ON:
        pClient->EnableAlarm(1);
        break;
    case NYRACMD_SOUND_OFF:
        pClient->EnableAlarm(0);
        break;
    case NYRACMD_TREND_PRINT:
        m_Dialogs.trendPrint(*this, *pClient);
        break;
    case NYRACMD_CAPTURE:
        m_Dialogs.capture(*this, *pClient);
        break;
    case NYRACMD_ADMIT:
        ShowAdmitPatient(pClient);
        break;
    case NYRACMD_EXPAND:
        m_ClientManager.ExpandClient(pClient, TRUE);
        break;
    case NYRACMD_SETTING:
        ShowClientSetting(pClient);
        break;
    // A demo bed goes at once; a monitor's bed only as the manager decides (asking first).
    case NYRACMD_CLOSE:
        m_ClientManager.RemoveClient(pClient, pClient->IsDemo() ? TRUE : FALSE);
        break;
    default:
        break;
    }
}

// ==== per-bed dialogs ============================================================================

void CTarvicIIView::ShowClientSetting(NyraClientInfo* pClient)
{
    if (pClient != nullptr)
        m_Dialogs.clientSetting(*this, *pClient);
}

void CTarvicIIView::ShowAdmitPatient(NyraClientInfo* pClient)
{
    if (pClient == nullptr)
        return;
    if (!g_Database.IsConnected()) {
        tarvic::StationMessageBox(tarvic::IDS_DATABASE_NOT_FOUND, MB_OK | MB_ICONERROR);
        return;
    }
    const int wasAdmitted = pClient->IsAdmitted();
    const INT_PTR result = m_Dialogs.admitPatient(*this, *pClient);
    if (result == IDOK && g_Config.RecordOnAdmit == 1 && !wasAdmitted && pClient->IsAdmitted())
        StartRecord(pClient);
}

INT_PTR CTarvicIIView::RunBedDialog(CDialog& dialog, NyraClientInfo* pClient)
{
    // One per-bed dialog at a time: each runs modally over the whole station.
    WARD_CHECK_UI_THREAD();
    WARD_CHECK(m_pBedDialog == nullptr);
    m_pBedDialog = &dialog;
    m_pBedDialogClient = pClient;
    m_bBedDialogClientGone = FALSE;
    const INT_PTR result = dialog.DoModal();
    m_pBedDialog = nullptr;
    m_pBedDialogClient = nullptr;
    return m_bBedDialogClientGone ? IDCANCEL : result;
}
