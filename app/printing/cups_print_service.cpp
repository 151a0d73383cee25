#include "cups_print_service.h"

#include "system_print_service.h"

#include <QLocale>
#include <QMarginsF>
#include <QPageSize>
#include <QSizeF>

#include <cups/cups.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

// How long libcups waits in silence before asking whether to go on.
constexpr double kPollSeconds = 0.1;
// When a printer states no resolution: a common one; the page is vector
// graphics, so this only sets how finely its positions are rounded.
constexpr int kFallbackResolution = 600;

PrintReply ReplyFor(ipp_status_t status) {
  switch (status) {
    case IPP_STATUS_ERROR_NOT_FOUND:
      return PrintReply::NoPrinter;
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
      return PrintReply::NotAccepting;
    case IPP_STATUS_ERROR_ATTRIBUTES_OR_VALUES:
    case IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED:
    case IPP_STATUS_ERROR_CONFLICTING:
      return PrintReply::Unsupported;
    default:
      return status < IPP_STATUS_REDIRECTION_OTHER_SITE ? PrintReply::Done : PrintReply::Failed;
  }
}

// A connection to the scheduler that gives up at the deadline.
class Connection {
 public:
  explicit Connection(PrintService::Deadline deadline) : m_deadline(deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return;
    m_http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                          static_cast<int>(left), nullptr);
    // Turned away before the deadline: the scheduler is not running.
    if (m_http == nullptr) {
      m_refused = Clock::now() < deadline;
      return;
    }
    httpSetTimeout(m_http, kPollSeconds, &Connection::KeepWaiting, this);
  }
  ~Connection() {
    if (m_http != nullptr) httpClose(m_http);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  http_t* Http() const { return m_http; }
  bool TimedOut() const { return Clock::now() >= m_deadline; }
  // The reply for a failed connection or request.
  PrintReply Failure(PrintReply whenAnswered) const {
    if (m_http == nullptr) return m_refused ? PrintReply::NoService : PrintReply::NoAnswer;
    return TimedOut() ? PrintReply::NoAnswer : whenAnswered;
  }
  // The reply for a request that libcups reports as failed.
  PrintReply LastError() const {
    const PrintReply reply = ReplyFor(cupsLastError());
    return Failure(reply == PrintReply::Done ? PrintReply::Failed : reply);
  }

 private:
  static int KeepWaiting(http_t* /*http*/, void* data) {
    return static_cast<const Connection*>(data)->TimedOut() ? 0 : 1;
  }

  PrintService::Deadline m_deadline;
  http_t* m_http = nullptr;
  bool m_refused = false;
};

struct DestFree {
  void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
using Dest = std::unique_ptr<cups_dest_t, DestFree>;

struct DestInfoFree {
  void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};
using DestInfo = std::unique_ptr<cups_dinfo_t, DestInfoFree>;

// A printer named "queue" or "queue/instance", as Qt and lpoptions write it.
Dest NamedDest(http_t* http, const QString& printer) {
  const qsizetype slash = printer.indexOf(QLatin1Char('/'));
  const QByteArray queue = printer.left(slash).toUtf8();
  const QByteArray instance = slash < 0 ? QByteArray() : printer.mid(slash + 1).toUtf8();
  return Dest(cupsGetNamedDest(http, queue.constData(),
                               instance.isEmpty() ? nullptr : instance.constData()));
}

QString PrinterName(const cups_dest_t& dest) {
  QString name = QString::fromUtf8(dest.name);
  if (dest.instance != nullptr) name += QLatin1Char('/') + QString::fromUtf8(dest.instance);
  return name;
}

// The printer's own default paper, as its default media collection states
// it, margins included.
bool PrinterDefaultMedia(http_t* http, cups_dest_t* dest, cups_dinfo_t* info, cups_size_t& size) {
  ipp_attribute_t* defaults = cupsFindDestDefault(http, dest, info, "media-col");
  ipp_t* media = defaults == nullptr ? nullptr : ippGetCollection(defaults, 0);
  ipp_attribute_t* dimensions =
      media == nullptr ? nullptr : ippFindAttribute(media, "media-size", IPP_TAG_BEGIN_COLLECTION);
  ipp_t* paper = dimensions == nullptr ? nullptr : ippGetCollection(dimensions, 0);
  if (paper == nullptr) return false;
  const auto value = [](ipp_t* collection, const char* name) {
    ipp_attribute_t* attribute = ippFindAttribute(collection, name, IPP_TAG_INTEGER);
    return attribute == nullptr ? 0 : ippGetInteger(attribute, 0);
  };
  size = cups_size_t{};
  size.width = value(paper, "x-dimension");
  size.length = value(paper, "y-dimension");
  size.left = value(media, "media-left-margin");
  size.right = value(media, "media-right-margin");
  size.top = value(media, "media-top-margin");
  size.bottom = value(media, "media-bottom-margin");
  return size.width > 0 && size.length > 0;
}

// The paper portrait, its margins as the printer states them where they
// leave something to print on.
QPageLayout LayoutOf(const cups_size_t& size) {
  const QPageSize paper(QSizeF(size.width / 100.0, size.length / 100.0), QPageSize::Millimeter,
                        QString(), QPageSize::FuzzyMatch);
  QMarginsF margins(size.left / 100.0, size.top / 100.0, size.right / 100.0, size.bottom / 100.0);
  if (size.left < 0 || size.top < 0 || size.right < 0 || size.bottom < 0 ||
      size.left + size.right >= size.width || size.top + size.bottom >= size.length) {
    margins = QMarginsF();
  }
  return {paper, QPageLayout::Portrait, margins, QPageLayout::Millimeter};
}

// The papers the user chose as default (lpoptions, which come with the
// destination's options). A media option may list a size with a source and a
// type, and may use the names of PWG, of IPP 1.1 or of PPDs.
QList<const pwg_media_t*> UsersMedia(const cups_dest_t& dest) {
  QByteArray wanted = cupsGetOption("media", dest.num_options, dest.options);
  if (wanted.isEmpty()) wanted = cupsGetOption("PageSize", dest.num_options, dest.options);
  QList<const pwg_media_t*> media;
  for (const QByteArray& name : wanted.split(',')) {
    const pwg_media_t* pwg = pwgMediaForPWG(name.constData());
    if (pwg == nullptr) pwg = pwgMediaForLegacy(name.constData());
    if (pwg == nullptr) pwg = pwgMediaForPPD(name.constData());
    if (pwg != nullptr) media << pwg;
  }
  return media;
}

// The default paper: the user's, else the printer's own.
bool FindDefaultMedia(http_t* http, cups_dest_t* dest, cups_dinfo_t* info, cups_size_t& size) {
  for (const pwg_media_t* pwg : UsersMedia(*dest)) {
    if (cupsGetDestMediaByName(http, dest, info, pwg->pwg, CUPS_MEDIA_FLAGS_DEFAULT, &size) != 0) {
      return true;
    }
  }
  return PrinterDefaultMedia(http, dest, info, size) ||
         cupsGetDestMediaDefault(http, dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &size) != 0;
}

// The job option's name for a paper: the standard name of its size. A
// printer may list one paper under several names of its own (bordered,
// borderless).
QString MediaName(const cups_size_t& size) {
  const pwg_media_t* pwg = pwgMediaForSize(size.width, size.length);
  return pwg != nullptr ? QString::fromLatin1(pwg->pwg) : QString::fromUtf8(size.media);
}

// The paper where the printer tells none (a raw queue, a printer shared
// from elsewhere): the user's, else the locale's, Letter where it measures
// in inches as in the US and A4 everywhere else, Japan included. Its margins
// are unknown: none.
PrinterPaper UntoldPaper(const cups_dest_t& dest) {
  const QList<const pwg_media_t*> chosen = UsersMedia(dest);
  const pwg_media_t* pwg =
      !chosen.isEmpty() ? chosen.first()
                        : pwgMediaForPWG(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                                             ? "na_letter_8.5x11in"
                                             : "iso_a4_210x297mm");
  cups_size_t size{};
  size.width = pwg->width;
  size.length = pwg->length;
  const QString name = QString::fromLatin1(pwg->pwg);
  return {{name, name}, {LayoutOf(size), kFallbackResolution, {}}};
}

int DefaultResolution(http_t* http, cups_dest_t* dest, cups_dinfo_t* info) {
  ipp_attribute_t* resolution = cupsFindDestDefault(http, dest, info, "printer-resolution");
  if (resolution == nullptr) return kFallbackResolution;
  int vertical = 0;
  ipp_res_t units = IPP_RES_PER_INCH;
  int horizontal = ippGetResolution(resolution, 0, &vertical, &units);
  if (units == IPP_RES_PER_CM) {
    horizontal = horizontal * 254 / 100;
    vertical = vertical * 254 / 100;
  }
  const int dpi = std::max(horizontal, vertical);
  return dpi >= 72 && dpi <= 9600 ? dpi : kFallbackResolution;
}

// A standard paper by the name Qt's dialogs give it ("A4", "JIS B5"), any
// other as the scheduler words it.
QString PaperText(http_t* http, cups_dest_t* dest, cups_dinfo_t* info, cups_size_t& size,
                  const QPageLayout& layout) {
  if (layout.pageSize().id() != QPageSize::Custom) return layout.pageSize().name();
  const char* text = cupsLocalizeDestMedia(http, dest, info, CUPS_MEDIA_FLAGS_DEFAULT, &size);
  return text != nullptr ? QString::fromUtf8(text) : MediaName(size);
}

// The job's options as CUPS takes them; the sheet stays portrait.
int JobOptionsFor(const JobOptions& job, cups_option_t** options) {
  int count = 0;
  const auto add = [&](const char* name, const QString& value) {
    count = cupsAddOption(name, value.toUtf8().constData(), count, options);
  };
  if (!job.paper.isEmpty()) add("media", job.paper);
  if (!job.source.isEmpty()) add("media-source", job.source);
  if (job.copies > 1) {
    add("copies", QString::number(job.copies));
    add("multiple-document-handling", job.collate
                                          ? QStringLiteral("separate-documents-collated-copies")
                                          : QStringLiteral("separate-documents-uncollated-copies"));
  }
  switch (job.sides) {
    case PrintSides::OneSided:
      add("sides", QStringLiteral("one-sided"));
      break;
    case PrintSides::LongEdge:
      add("sides", QStringLiteral("two-sided-long-edge"));
      break;
    case PrintSides::ShortEdge:
      add("sides", QStringLiteral("two-sided-short-edge"));
      break;
    case PrintSides::PrinterDefault:
      break;
  }
  switch (job.colour) {
    case PrintColour::Colour:
      add("print-color-mode", QStringLiteral("color"));
      break;
    case PrintColour::Greyscale:
      add("print-color-mode", QStringLiteral("monochrome"));
      break;
    case PrintColour::PrinterDefault:
      break;
  }
  return count;
}

}  // namespace

PrintAnswer<PrinterList> CupsPrintService::Printers(Deadline deadline) {
  const Connection connection(deadline);
  if (connection.Http() == nullptr) return {connection.Failure(PrintReply::Failed), {}};
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(connection.Http(), &dests);
  if (count == 0 && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
    return {connection.LastError(), {}};
  }
  PrinterList list;
  for (int i = 0; i < count; ++i) {
    list.printers << PrinterName(dests[i]);
    if (dests[i].is_default != 0) list.defaultPrinter = list.printers.last();
  }
  cupsFreeDests(count, dests);
  if (connection.TimedOut()) return {PrintReply::NoAnswer, {}};
  return {PrintReply::Done, list};
}

PrintAnswer<QString> CupsPrintService::DefaultPrinter(Deadline deadline) {
  const Connection connection(deadline);
  if (connection.Http() == nullptr) return {connection.Failure(PrintReply::Failed), {}};
  const Dest dest(cupsGetNamedDest(connection.Http(), nullptr, nullptr));
  if (!dest) return {connection.LastError(), {}};
  return {PrintReply::Done, PrinterName(*dest)};
}

PrintReply CupsPrintService::PrinterState(Deadline deadline, const QString& printer) {
  const Connection connection(deadline);
  if (connection.Http() == nullptr) return connection.Failure(PrintReply::Failed);
  const Dest dest = NamedDest(connection.Http(), printer);
  if (!dest) return connection.LastError();
  const char* accepting =
      cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
  return accepting != nullptr && std::strcmp(accepting, "false") == 0 ? PrintReply::NotAccepting
                                                                      : PrintReply::Done;
}

PrintAnswer<PrinterPaper> CupsPrintService::DefaultPaper(Deadline deadline,
                                                         const QString& printer) {
  const Connection connection(deadline);
  http_t* http = connection.Http();
  if (http == nullptr) return {connection.Failure(PrintReply::Failed), {}};
  const Dest dest = NamedDest(http, printer);
  if (!dest) return {connection.LastError(), {}};
  const DestInfo info(cupsCopyDestInfo(http, dest.get()));
  if (!info) return {connection.LastError(), {}};
  cups_size_t size{};
  if (FindDefaultMedia(http, dest.get(), info.get(), size)) {
    const QString name = MediaName(size);
    return {PrintReply::Done,
            {{name, name}, {LayoutOf(size), DefaultResolution(http, dest.get(), info.get()), {}}}};
  }
  if (connection.TimedOut()) return {PrintReply::NoAnswer, {}};
  return {PrintReply::Done, UntoldPaper(*dest)};
}

// Every paper the printer lists once, by its name, as the scheduler words it
// for the user, and its paper sources.
PrintAnswer<PrinterPapers> CupsPrintService::Papers(Deadline deadline, const QString& printer) {
  const Connection connection(deadline);
  http_t* http = connection.Http();
  if (http == nullptr) return {connection.Failure(PrintReply::Failed), {}};
  const Dest dest = NamedDest(http, printer);
  if (!dest) return {connection.LastError(), {}};
  const DestInfo info(cupsCopyDestInfo(http, dest.get()));
  if (!info) return {connection.LastError(), {}};
  const int resolution = DefaultResolution(http, dest.get(), info.get());
  PrinterPapers papers;
  cups_size_t size{};
  const QString defaultName =
      FindDefaultMedia(http, dest.get(), info.get(), size) ? MediaName(size) : QString();
  const int count = cupsGetDestMediaCount(http, dest.get(), info.get(), CUPS_MEDIA_FLAGS_DEFAULT);
  QStringList names;
  for (int index = 0; index < count; ++index) {
    if (cupsGetDestMediaByIndex(http, dest.get(), info.get(), index, CUPS_MEDIA_FLAGS_DEFAULT,
                                &size) == 0) {
      continue;
    }
    const QString name = MediaName(size);
    const QPageLayout layout = LayoutOf(size);
    const PrinterPaper paper{{name, PaperText(http, dest.get(), info.get(), size, layout)},
                             {layout, resolution, {}}};
    // Of one paper listed twice, the one with margins: it prints whole.
    if (const qsizetype seen = names.indexOf(name); seen >= 0) {
      if (papers.papers.at(seen).page.layout.margins().isNull()) papers.papers[seen] = paper;
      continue;
    }
    if (name == defaultName) papers.defaultPaper = names.size();
    names << name;
    papers.papers << paper;
  }
  if (papers.papers.isEmpty()) {
    if (connection.TimedOut()) return {PrintReply::NoAnswer, {}};
    papers.papers << UntoldPaper(*dest);
  }
  const char* chosenSource = cupsGetOption("media-source", dest->num_options, dest->options);
  ipp_attribute_t* defaultSource =
      cupsFindDestDefault(http, dest.get(), info.get(), "media-source");
  const QByteArray sourceDefault = chosenSource != nullptr ? QByteArray(chosenSource)
                                   : defaultSource != nullptr
                                       ? QByteArray(ippGetString(defaultSource, 0, nullptr))
                                       : QByteArray();
  ipp_attribute_t* sources = cupsFindDestSupported(http, dest.get(), info.get(), "media-source");
  for (int index = 0; index < ippGetCount(sources); ++index) {
    const char* source = ippGetString(sources, index, nullptr);
    if (source == nullptr) continue;
    const char* text = cupsLocalizeDestValue(http, dest.get(), info.get(), "media-source", source);
    if (sourceDefault == source) papers.defaultSource = papers.sources.size();
    papers.sources << PrinterItem{QString::fromUtf8(source),
                                  QString::fromUtf8(text != nullptr ? text : source)};
  }
  if (connection.TimedOut()) return {PrintReply::NoAnswer, {}};
  return {PrintReply::Done, papers};
}

// One Print-Job request, document included, on a connection of our own: the
// scheduler takes the whole job or nothing of it, and nothing is sent after
// the deadline.
PrintReply CupsPrintService::StartJob(Deadline deadline, const PrintJob& job) {
  const Connection connection(deadline);
  http_t* http = connection.Http();
  if (http == nullptr) return connection.Failure(PrintReply::Failed);
  // Instances are the clients' own: the scheduler knows the queue.
  const QByteArray queue = job.printer.section(QLatin1Char('/'), 0, 0).toUtf8();
  const QByteArray resource = "/printers/" + queue;
  std::array<char, HTTP_MAX_URI> uri{};
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri.data(), static_cast<int>(uri.size()), "ipp", nullptr,
                   "localhost", ippPort(), "%s", resource.constData());

  ipp_t* request = ippNewRequest(IPP_OP_PRINT_JOB);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.data());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
               job.title.toUtf8().constData());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr,
               CUPS_FORMAT_PDF);
  cups_option_t* options = nullptr;
  const int optionCount = JobOptionsFor(job.options, &options);
  cupsEncodeOptions2(request, optionCount, options, IPP_TAG_OPERATION);
  cupsEncodeOptions2(request, optionCount, options, IPP_TAG_JOB);
  cupsFreeOptions(optionCount, options);

  if (connection.TimedOut()) {
    ippDelete(request);
    return PrintReply::NoAnswer;
  }
  // The length is the request's and the document's together.
  http_status_t sent =
      cupsSendRequest(http, request, resource.constData(),
                      ippLength(request) + static_cast<size_t>(job.document.size()));
  ippDelete(request);
  if (sent == HTTP_STATUS_CONTINUE) {
    sent = cupsWriteRequestData(http, job.document.constData(),
                                static_cast<size_t>(job.document.size()));
  }
  if (sent != HTTP_STATUS_CONTINUE) return connection.Failure(PrintReply::Failed);
  // The job is out whole: from here on the scheduler may print it.
  ipp_t* response = cupsGetResponse(http, resource.constData());
  if (response == nullptr) {
    return connection.TimedOut() ? PrintReply::Unconfirmed : connection.LastError();
  }
  ippDelete(response);
  return ReplyFor(cupsLastError());
}

std::unique_ptr<PrintService> MakeSystemPrintService() {
  return std::make_unique<CupsPrintService>();
}
