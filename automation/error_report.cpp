#include "automation/error_report.hpp"

#include "platform/win32/bstr.hpp"
#include "platform/win32/com_ptr.hpp"

namespace qv::com {
namespace {

using win32::Bstr;
using win32::ComPtr;

// A failure that arrives without a source of its own still names where the
// script's call went.
std::string sourceOf(const AutomationError &error) {
  return error.source().empty() ? kSource : error.source();
}

void setErrorInfo(REFIID iid, const std::string &source, const std::string &description) {
  ComPtr<ICreateErrorInfo> create;
  if (FAILED(CreateErrorInfo(create.put()))) return;
  Bstr sourceText(source);
  Bstr descriptionText(description);
  create->SetGUID(iid);
  create->SetSource(sourceText.get());
  create->SetDescription(descriptionText.get());
  ComPtr<IErrorInfo> info = create.query<IErrorInfo>(IID_IErrorInfo);
  SetErrorInfo(0, info.get());
}

} // namespace

HRESULT hresultOf(int32_t number) {
  if (number > 0 && number < 0x10000)
    return static_cast<HRESULT>(0x800A0000u | static_cast<uint32_t>(number));
  if (FAILED(number)) return static_cast<HRESULT>(number);
  return E_FAIL;
}

HRESULT reportFailure(const AutomationError &error, REFIID iid, EXCEPINFO *info) {
  HRESULT hr = hresultOf(error.number());
  std::string source = sourceOf(error);
  setErrorInfo(iid, source, error.description());
  if (!info) return hr;
  *info = EXCEPINFO{};
  info->scode = hr;
  info->bstrSource = Bstr(source).detach();
  info->bstrDescription = Bstr(error.description()).detach();
  return DISP_E_EXCEPTION;
}

void clearErrorInfo() { SetErrorInfo(0, nullptr); }

} // namespace qv::com
