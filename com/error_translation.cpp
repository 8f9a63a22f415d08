#include "com/error_translation.hpp"

#include <exception>
#include <new>

#include "platform/win32/bstr.hpp"
#include "platform/win32/com_ptr.hpp"

namespace qv::com {
namespace {

using win32::Bstr;
using win32::ComPtr;

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

ComFailure classify(std::string_view defaultSource) {
  try {
    throw;
  } catch (const AutomationError &error) {
    return {hresultOf(error.number()), error.source().empty() ? std::string(defaultSource) : error.source(),
            error.description()};
  } catch (const std::bad_alloc &) {
    return {E_OUTOFMEMORY, {}, {}};
  } catch (const std::exception &error) {
    return {E_UNEXPECTED, std::string(defaultSource), error.what()};
  } catch (...) {
    return {E_UNEXPECTED, {}, {}};
  }
}

} // namespace

HRESULT hresultOf(int32_t number) {
  if (number > 0 && number < 0x10000)
    return static_cast<HRESULT>(0x800A0000u | static_cast<uint32_t>(number));
  if (FAILED(number)) return static_cast<HRESULT>(number);
  return E_FAIL;
}

ComFailure currentFailure(std::string_view defaultSource) noexcept {
  try {
    return classify(defaultSource);
  } catch (...) {
    // Copying the texts ran out of memory.
    return {E_OUTOFMEMORY, {}, {}};
  }
}

HRESULT reportFailure(const ComFailure &failure, REFIID iid, EXCEPINFO *info) noexcept {
  if (failure.description.empty()) {
    clearErrorInfo();
    return failure.hr;
  }
  try {
    setErrorInfo(iid, failure.source, failure.description);
    if (!info) return failure.hr;
    Bstr source(failure.source);
    Bstr description(failure.description);
    *info = EXCEPINFO{};
    info->scode = failure.hr;
    info->bstrSource = source.detach();
    info->bstrDescription = description.detach();
    return DISP_E_EXCEPTION;
  } catch (...) {
    // The texts could not be copied: the number alone still says what
    // failed.
    return failure.hr;
  }
}

HRESULT failCurrentCall(REFIID iid, EXCEPINFO *info, std::string_view defaultSource) noexcept {
  return reportFailure(currentFailure(defaultSource), iid, info);
}

void clearErrorInfo() noexcept { SetErrorInfo(0, nullptr); }

} // namespace qv::com
