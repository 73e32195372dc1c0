#include "filelib/IFile.h"

#include <fstream>
#include <random>
#include <stdexcept>
#include <system_error>

namespace OvGraphFileLib {
namespace {

// Runs a SaveImpl or LoadImpl and turns whatever it throws into a Result.
template <class Operation>
Result Guarded(Operation&& operation)
{
    try {
        operation();
        return {};
    } catch (const Result& failure) {
        return failure;
    } catch (const std::exception& failure) {
        return {kFailure, 0, failure.what()};
    }
}

std::filesystem::path TemporaryBeside(const std::filesystem::path& path)
{
    std::random_device random;
    std::filesystem::path temporary = path;
    temporary += ".tmp" + std::to_string(random() % 1000000);
    return temporary;
}

}  // namespace

void IFile::SaveImpl(std::ostream&) const { throw std::logic_error("not impremented"); }

Result IFile::Save(std::ostream& out) const
{
    return Guarded([&] { SaveImpl(out); });
}

Result IFile::Load(std::istream& in)
{
    return Guarded([&] { LoadImpl(in); });
}

Result IFile::Save(const std::filesystem::path& path) const
{
    const std::filesystem::path temporary = TemporaryBeside(path);
    Result result;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return {kOpenFailed, 0, "OvGraphFileLib::IFile::Save"};
        result = Save(out);
        out.flush();
        if (result.Ok() && !out) result = {kWriteFailed, 0, "OvGraphFileLib::IFile::Save"};
    }
    std::error_code error;
    if (result.Ok()) std::filesystem::rename(temporary, path, error);
    if (!result.Ok() || error) {
        std::filesystem::remove(temporary, error);
        return result.Ok() ? Result{kWriteFailed, 0, "OvGraphFileLib::IFile::Save"} : result;
    }
    return result;
}

Result IFile::Load(const std::filesystem::path& path)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return {kOpenFailed, 0, "OvGraphFileLib::IFile::Load"};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {kOpenFailed, 0, "OvGraphFileLib::IFile::Load"};
    return Load(in);
}

}  // namespace OvGraphFileLib
