// Printer device contexts: pages on a PDF surface at 300 dots per inch.
//
// A document goes to the DOCINFO's output file when one is given (print to file); otherwise
// it is written to a temporary file that is handed to the printing system ("lp") at EndDoc
// and then removed.
#include "platform/gdi/DcInternal.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

extern char** environ;

namespace platform::gdi {

struct PrinterJob
{
    std::string printer;
    DEVMODE mode;
    std::string path;
    bool toFile { false };
    cairo_surface_t* pdf { nullptr };
    bool inPage { false };
    int pages { 0 };

    SIZE PageSize() const
    {
        // A4 or Letter at 300 dots per inch.
        SIZE s = mode.dmPaperSize == DMPAPER_LETTER ? SIZE { 2550, 3300 } : SIZE { 2480, 3508 };
        if (mode.dmOrientation == DMORIENT_LANDSCAPE)
            std::swap(s.cx, s.cy);
        return s;
    }
    double WidthPoints() const { return PageSize().cx * 72.0 / 300.0; }
    double HeightPoints() const { return PageSize().cy * 72.0 / 300.0; }

    void Close()
    {
        if (pdf) {
            cairo_surface_finish(pdf);
            cairo_surface_destroy(pdf);
            pdf = nullptr;
        }
        inPage = false;
    }
    ~PrinterJob()
    {
        Close();
        if (!toFile && !path.empty())
            std::remove(path.c_str());
    }
};

void PrinterJobDeleter::operator()(PrinterJob* job) const
{
    delete job;
}

DcData::~DcData()
{
    if (cr)
        cairo_destroy(cr);
}

void* PrinterCairoSurface(DcData& dc)
{
    return dc.printer && dc.printer->inPage ? dc.printer->pdf : nullptr;
}

SIZE PrinterPageSize(const DcData& dc)
{
    return dc.printer ? dc.printer->PageSize() : SIZE {};
}

namespace {

PrinterJob* JobOf(const CDC* dc)
{
    DcData* d = Data(dc);
    return d && d->printer ? d->printer.get() : nullptr;
}

// Drops the drawing context bound to the page surface.
void Unbind(DcData& d)
{
    if (d.cr)
        cairo_destroy(d.cr), d.cr = nullptr;
    d.crSurface = nullptr;
    d.InvalidateClip();
}

bool SubmitToPrinter(const std::string& printer, const std::string& path)
{
    std::vector<std::string> args { "lp" };
    if (!printer.empty())
        args.insert(args.end(), { "-d", printer });
    args.push_back(path);
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, "lp", nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

} // namespace platform::gdi

using namespace platform::gdi;

BOOL CDC::CreatePrinterDC(LPCSTR printer, const DEVMODE* devMode)
{
    if (m_hDC)
        DeleteDC();
    auto d = std::make_unique<DcData>();
    d->kind = DcKind::Printer;
    d->printer.reset(new PrinterJob);
    d->printer->printer = printer ? printer : "";
    if (devMode)
        d->printer->mode = *devMode;
    if (!Attach(NewDc(std::move(d))))
        return FALSE;
    m_bPrinting = TRUE;
    return TRUE;
}

int CDC::StartDoc(LPCSTR docName)
{
    DOCINFO info;
    info.lpszDocName = docName;
    return StartDoc(&info);
}

int CDC::StartDoc(const DOCINFO* docInfo)
{
    PrinterJob* job = JobOf(this);
    if (!job || job->pdf)
        return SP_ERROR;
    if (docInfo && docInfo->lpszOutput && *docInfo->lpszOutput) {
        job->path = docInfo->lpszOutput;
        job->toFile = true;
    } else {
        char name[] = "/tmp/ward-print-XXXXXX";
        int fd = mkstemp(name);
        if (fd < 0)
            return SP_ERROR;
        close(fd);
        job->path = name;
        job->toFile = false;
    }
    job->pdf = cairo_pdf_surface_create(job->path.c_str(), job->WidthPoints(), job->HeightPoints());
    if (cairo_surface_status(job->pdf) != CAIRO_STATUS_SUCCESS) {
        job->Close();
        return SP_ERROR;
    }
    if (docInfo && docInfo->lpszDocName)
        cairo_pdf_surface_set_metadata(job->pdf, CAIRO_PDF_METADATA_TITLE, docInfo->lpszDocName);
    job->pages = 0;
    return 1;
}

int CDC::StartPage()
{
    PrinterJob* job = JobOf(this);
    if (!job || !job->pdf || job->inPage)
        return SP_ERROR;
    cairo_pdf_surface_set_size(job->pdf, job->WidthPoints(), job->HeightPoints());
    job->inPage = true;
    Data(this)->InvalidateClip();
    return 1;
}

int CDC::EndPage()
{
    PrinterJob* job = JobOf(this);
    if (!job || !job->inPage)
        return SP_ERROR;
    Unbind(*Data(this));
    cairo_surface_show_page(job->pdf);
    job->inPage = false;
    ++job->pages;
    return cairo_surface_status(job->pdf) == CAIRO_STATUS_SUCCESS ? 1 : SP_ERROR;
}

int CDC::EndDoc()
{
    PrinterJob* job = JobOf(this);
    if (!job || !job->pdf)
        return SP_ERROR;
    if (job->inPage)
        EndPage();
    Unbind(*Data(this));
    cairo_surface_finish(job->pdf);
    bool ok = cairo_surface_status(job->pdf) == CAIRO_STATUS_SUCCESS;
    job->Close();
    if (ok && !job->toFile)
        ok = SubmitToPrinter(job->printer, job->path);
    if (!job->toFile) {
        std::remove(job->path.c_str());
        job->path.clear();
    }
    return ok ? 1 : SP_ERROR;
}

int CDC::AbortDoc()
{
    PrinterJob* job = JobOf(this);
    if (!job)
        return SP_ERROR;
    Unbind(*Data(this));
    job->Close();
    if (!job->path.empty())
        std::remove(job->path.c_str());
    job->path.clear();
    return 1;
}

BOOL CDC::ResetDC(const DEVMODE* devMode)
{
    PrinterJob* job = JobOf(this);
    if (!job || !devMode || job->inPage)
        return FALSE;
    if (devMode->dmFields & DM_ORIENTATION || !devMode->dmFields)
        job->mode.dmOrientation = devMode->dmOrientation;
    if (devMode->dmFields & DM_PAPERSIZE || !devMode->dmFields)
        job->mode.dmPaperSize = devMode->dmPaperSize;
    Data(this)->InvalidateClip();
    return TRUE;
}
