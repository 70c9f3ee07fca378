// An in-process automation server that stands in for Excel in the tests: every
// call it receives through IDispatch is written as one line to the file named
// by TAVRIN_EXCEL_LOG, as "<object>: <get|put|call> <name>(<arguments>)",
// followed by " (waiting)" while the program's wait box shows. A property read
// gives a new object named "<name>(<arguments>)". The member named by
// TAVRIN_EXCEL_FAIL fails with an exception after it is recorded. While the
// member named by TAVRIN_EXCEL_CLICK runs, the report's Excel button is
// clicked, as COM lets a click through while a call waits for Excel.
#include <windows.h>
#include <oleauto.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// {6E1C2A61-4B0D-4F7E-9A52-7D3C1B2E8F40}, as the test registers it.
constexpr CLSID kRecorderClass = {0x6e1c2a61, 0x4b0d, 0x4f7e, {0x9a, 0x52, 0x7d, 0x3c, 0x1b, 0x2e, 0x8f, 0x40}};

std::atomic<long> g_objects{0};
std::vector<std::wstring> g_names;  // a member's DISPID is its place here, from 1

std::wstring Variable(const wchar_t* name) {
    wchar_t value[1024]{};
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

void Record(std::wstring line) {
    const std::wstring logName = Variable(L"TAVRIN_EXCEL_LOG");
    if (logName.empty()) return;
    const HWND waitBox = FindWindowW(L"Static", L"Exporting report to file, please wait...");
    if (waitBox && IsWindowVisible(waitBox)) line += L" (waiting)";
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), size, nullptr, nullptr);
    if (FILE* log = _wfopen(logName.c_str(), L"ab")) {
        std::fwrite(utf8.data(), 1, utf8.size(), log);
        std::fputc('\n', log);
        std::fclose(log);
    }
}

std::wstring TextOf(const VARIANT& value) {
    switch (value.vt) {
        case VT_I4:
            return std::to_wstring(value.lVal);
        case VT_BOOL:
            return value.boolVal ? L"true" : L"false";
        case VT_BSTR:
            return L"\"" + std::wstring(value.bstrVal, SysStringLen(value.bstrVal)) + L"\"";
        default:
            return L"<type " + std::to_wstring(value.vt) + L">";
    }
}

class Recorder : public IDispatch {
public:
    explicit Recorder(std::wstring name) : name_(std::move(name)) { ++g_objects; }
    virtual ~Recorder() { --g_objects; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id != IID_IUnknown && id != IID_IDispatch) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (count != 1) return DISP_E_UNKNOWNNAME;
        g_names.emplace_back(names[0]);
        ids[0] = static_cast<DISPID>(g_names.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO* exception, UINT*) override {
        if (id < 1 || static_cast<size_t>(id) > g_names.size()) return DISP_E_MEMBERNOTFOUND;
        const std::wstring& member = g_names[static_cast<size_t>(id) - 1];
        std::wstring arguments;
        for (UINT i = parameters->cArgs; i > 0; --i) {
            if (!arguments.empty()) arguments += L",";
            arguments += TextOf(parameters->rgvarg[i - 1]);
        }
        const bool put = flags & DISPATCH_PROPERTYPUT;
        const bool get = !put && (flags & DISPATCH_PROPERTYGET);
        Record(name_ + L": " + (put ? L"put " : get ? L"get " : L"call ") + member + L"(" + arguments + L")");
        if (member == Variable(L"TAVRIN_EXCEL_CLICK")) {
            const HWND report = FindWindowW(L"#32770", L"Frequency Report");
            SendMessageW(report, WM_COMMAND, MAKEWPARAM(104, BN_CLICKED), 0);
        }
        if (member == Variable(L"TAVRIN_EXCEL_FAIL")) {
            if (exception) {
                *exception = EXCEPINFO{};
                exception->bstrDescription = SysAllocString((L"Excel refused " + member + L".").c_str());
            }
            return DISP_E_EXCEPTION;
        }
        if (result) {
            VariantInit(result);
            if (get) {
                result->vt = VT_DISPATCH;
                result->pdispVal = new Recorder(member + L"(" + arguments + L")");
            }
        }
        return S_OK;
    }

private:
    std::wstring name_;
    std::atomic<ULONG> references_{1};
};

class Factory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id != IID_IUnknown && id != IID_IClassFactory) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // a static object
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id, void** object) override {
        if (outer) return CLASS_E_NOAGGREGATION;
        Recorder* recorder = new Recorder(L"Excel.Application");
        const HRESULT result = recorder->QueryInterface(id, object);
        recorder->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Factory g_factory;

}  // namespace

STDAPI DllGetClassObject(REFCLSID classId, REFIID id, void** object) {
    if (classId != kRecorderClass) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(id, object);
}

STDAPI DllCanUnloadNow() { return g_objects == 0 ? S_OK : S_FALSE; }
