#include "reporting/ReportFormat.h"

#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kOpening =
    u"<!DOCTYPE html>\r\n<html>\r\n<head>\r\n"
    u"<meta content=\"text/html; charset=utf-8\" http-equiv=\"Content-Type\">\r\n<title>";

// From the end of the title to the opening of the title paragraph.
constexpr std::u16string_view kHeadAndStyle =
    u" HTML report</title>\r\n"
    u"<style type=\"text/css\">\r\n"
    u"\tbody {background-color:#FFFFE0;margin-top:3px;text-align:center}\r\n"
    u"\tp, span, div, td{color:#663300}\r\n"
    u"\tdiv.pagebody {position:relative;width:1000px;border:1px black solid;\r\n"
    u"\tmargin:0 auto;padding:0;font-family: Arial;font-size:10pt;}\r\n"
    u"\tdiv.titlediv {position:relative;width:1000px;height:250px;margin:0 auto;\r\n"
    u"\ttext-align:left;background-color:#808080;\r\n"
    u"\tbackground: linear-gradient(to bottom, #808080 0%, #FFFFFF 100%);display:table-cell}\r\n"
    u"\tdiv.titlediv img {position:relative;left:20px;top:55px;width:120px;height:120px;}\r\n"
    u"\tp.titlep {position:absolute;top:0;left:0;color:white;font-size:25px;width:1000px;text-align:center}\r\n"
    u"\tdiv.clientinfo {position:absolute;top:70px;left:350px;width:600px;height:150px;\r\n"
    u"\tborder:1px black solid;font-weight:bold;font-size:16px;\r\n"
    u"\tborder-radius:8px;background-color:white;padding:0 0 0 30px}\r\n"
    u"\ttable {background:white}\r\n"
    u"\t\ttable.actiontable {width:1000px;border-collapse:collapse;border:1px black solid}\r\n"
    u"\ttable.actiontable td {padding:8px 10px 8px 10px;font-weight:bold;border:1px black solid}\r\n"
    u"\ttd.td1, td.td2, td.td3 {background-color:cadetblue;\r\n"
    u"\tbackground: linear-gradient(to bottom, #304090 0%, #FFFFFF 100%);\r\n"
    u"\tfont-size:16px;font-weight:bold;border-collapse:collapse}\r\n"
    u"\ttd.td1 {text-align:left;width:380px;}\r\n"
    u"\ttd.td2 {text-align:center;width:240px;}\r\n"
    u"\ttd.td3 {text-align:left;width:380px;}\r\n"
    u"\ttd.ftd1 {text-align:left}\r\n"
    u"\ttd.ftd2 {text-align:center}\r\n"
    u"\ttd.ftd3 {text-align:left}\r\n"
    u"\tdiv.footer {font-weight:bold;font-size:16px;text-align:center;width:100%;\r\n"
    u"\tborder-top:1px black solid;padding:0 }\r\n"
    u"</style>\r\n"
    u"</head>\r\n"
    u"<body>\r\n"
    u"\t<div class=\"pagebody\">\r\n"
    u"\t\t<div class=\"titlediv\">\r\n"
    u"\t\t\t<img alt=\"\" src=\"../../kva_icon.png\">\r\n"
    u"\t\t\t<p class=\"titlep\">";

constexpr std::u16string_view kTableHead =
    u"\t\t\t</div>\r\n\t\t</div>\r\n\t\t<table class=\"actiontable\">\r\n"
    u"\t\t\t<tr><td class=\"td1\">Action</td>\r\n"
    u"\t\t\t<td class=\"td2\">Date and time</td>\r\n"
    u"\t\t\t<td class=\"td3\">Result</td></tr>\r\n";

constexpr std::uint8_t kUtf8Mark[] = {0xEF, 0xBB, 0xBF};

std::u16string DateWith(const LocalTime& t, std::u16string_view separator) {
  return ToDecimalPadded(t.year, 4) + std::u16string(separator) + ToDecimalPadded(t.month, 2) +
         std::u16string(separator) + ToDecimalPadded(t.day, 2);
}

std::u16string Clock24(const LocalTime& t) {
  return ToDecimalPadded(t.hour, 2) + u":" + ToDecimalPadded(t.minute, 2) + u":" +
         ToDecimalPadded(t.second, 2);
}

}  // namespace

std::u16string EscapeHtml(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (const char16_t c : text) {
    switch (c) {
      case u'&': out += u"&amp;"; break;
      case u'<': out += u"&lt;"; break;
      case u'>': out += u"&gt;"; break;
      case u'"': out += u"&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::u16string ReportFileDate(const LocalTime& time) { return DateWith(time, u"-"); }

std::u16string ReportHeaderTime(const LocalTime& time) {
  return DateWith(time, u"/") + u"  " + Clock24(time) + u"  ";
}

std::u16string ReportEntryTime(const LocalTime& time) {
  return DateWith(time, u"/") + u" " + Clock24(time);
}

std::u16string ReportHead(const ReportHeadFields& fields) {
  const std::u16string appName = EscapeHtml(fields.appName);
  std::u16string head(kOpening);
  head += appName;
  head += kHeadAndStyle;
  head += appName + u" HTML report</p>\r\n\t\t\t<div class=\"clientinfo\">\r\n";
  head += u"\t\t\t\t<p>Date and time: " + ReportHeaderTime(fields.started) + u"</p>\r\n";
  head += u"\t\t\t\t<p>Client name: " + EscapeHtml(fields.clientName) + u"</p>\r\n";
  // This one line has always ended in LF alone; readers of old files expect it.
  head += u"\t\t\t\t<p>PC: " + EscapeHtml(fields.pcText) + u"</p>\n";
  head += u"\t\t\t\t<p>Hardware fingerprint: " + EscapeHtml(fields.fingerprint) + u"</p>\r\n";
  head += kTableHead;
  return head;
}

std::u16string ReportRow(const ReportEntry& entry) {
  return u"\t\t\t<tr><td class=\"ftd1\">" + EscapeHtml(entry.actionPrefix) +
         EscapeHtml(entry.subject) + u"</td>\r\n\t\t\t<td class=\"ftd2\">" +
         ReportEntryTime(entry.time) + u"</td>\r\n\t\t\t<td class=\"ftd3\">" +
         EscapeHtml(entry.result) + u"\r\n\t\t\t</td></tr>\r\n";
}

std::vector<std::uint8_t> Utf8Bytes(std::u16string_view text) {
  const std::string utf8 = Utf16ToUtf8(text);
  return {utf8.begin(), utf8.end()};
}

std::vector<std::uint8_t> NewReportBytes(const ReportHeadFields& fields) {
  std::vector<std::uint8_t> bytes(std::begin(kUtf8Mark), std::end(kUtf8Mark));
  const auto body = Utf8Bytes(ReportHead(fields) + std::u16string(kReportFooter));
  bytes.insert(bytes.end(), body.begin(), body.end());
  return bytes;
}

std::uint64_t MinimumReportHeadBytes() {
  return sizeof kUtf8Mark + Utf8Bytes(ReportHead({})).size();
}

}  // namespace kva
