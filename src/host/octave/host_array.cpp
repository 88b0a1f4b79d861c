// The arrays of a gateway call over Octave's values (host_array.h): views
// of the caller's values, arrays the gateway creates, and the call that
// owns them.
#include "host/octave/host_array.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace rotkit_octave {

namespace {

Call* currentCall = nullptr;

// Shaped as a MEX array: at least two dimensions, trailing ones after the
// second dropped.
// No dimension at all gives 0 x 0, as in Octave's MEX interface.
std::vector<mwSize> hostShape(std::vector<mwSize> dims) {
  if (dims.empty()) dims = {0, 0};
  if (dims.size() < 2) dims.push_back(1);
  while (dims.size() > 2 && dims.back() == 1) dims.pop_back();
  return dims;
}

std::vector<mwSize> dimsOf(const dim_vector& dv) {
  std::vector<mwSize> dims(static_cast<std::size_t>(dv.ndims()));
  for (std::size_t i = 0; i < dims.size(); ++i) dims[i] = dv(static_cast<int>(i));
  return dims;
}

// The class as Octave's MEX interface reports it, by the value's class name.
mxClassID classOf(const octave_value& v) {
  static const std::pair<const char*, mxClassID> classes[] = {
      {"double", mxDOUBLE_CLASS}, {"single", mxSINGLE_CLASS}, {"logical", mxLOGICAL_CLASS},
      {"char", mxCHAR_CLASS},     {"cell", mxCELL_CLASS},     {"struct", mxSTRUCT_CLASS},
      {"int8", mxINT8_CLASS},     {"uint8", mxUINT8_CLASS},   {"int16", mxINT16_CLASS},
      {"uint16", mxUINT16_CLASS}, {"int32", mxINT32_CLASS},   {"uint32", mxUINT32_CLASS},
      {"int64", mxINT64_CLASS},   {"uint64", mxUINT64_CLASS}, {"function_handle", mxFUNCTION_CLASS}};
  const std::string name = v.class_name();
  for (const auto& c : classes) {
    if (name == c.first) return c.second;
  }
  return mxUNKNOWN_CLASS;
}

// A view of `element` of the value a view shows, owned by the running call.
HostArray* viewOf(const octave_value& element) {
  Call* call = Call::current();
  return call == nullptr ? nullptr : call->make<ValueView>(element);
}

} // namespace

// ---- HostArray

HostArray::HostArray(mxClassID classId, std::vector<mwSize> dims)
    : classId_(classId), dims_(hostShape(std::move(dims))) {}

std::size_t HostArray::columns() const {
  std::size_t n = 1;
  for (std::size_t i = 1; i < dims_.size(); ++i) n *= static_cast<std::size_t>(dims_[i]);
  return n;
}

dim_vector HostArray::dimVector() const {
  dim_vector dv;
  dv.resize(static_cast<int>(dims_.size()));
  for (std::size_t i = 0; i < dims_.size(); ++i) dv(static_cast<int>(i)) = dims_[i];
  return dv;
}

// ---- Call

Call::Call(const char* name) : name_(name), outer_(currentCall) { currentCall = this; }

Call::~Call() { currentCall = outer_; }

Call* Call::current() { return currentCall; }

void Call::destroy(HostArray* a) {
  std::vector<HostArray*> doomed{a};
  for (std::size_t i = 0; i < doomed.size(); ++i) doomed[i]->collectElements(doomed);
  for (HostArray* d : doomed) {
    const auto owner = std::find_if(owned_.begin(), owned_.end(), [d](const auto& p) { return p.get() == d; });
    if (owner != owned_.end()) owned_.erase(owner);
  }
}

// ---- ValueView

ValueView::ValueView(const octave_value& v) : HostArray(classOf(v), dimsOf(v.dims())), value_(v) {}

double* ValueView::realParts() {
  if (classId() != mxDOUBLE_CLASS) return nullptr;
  if (!realRead_) {
    // A real full array is the caller's own block, shared, not copied.
    if (value_.issparse()) {
      sparseReal_ = value_.iscomplex() ? real(value_.sparse_complex_matrix_value()) : value_.sparse_matrix_value();
      realData_ = static_cast<const SparseMatrix&>(sparseReal_).data();
    } else {
      real_ = value_.iscomplex() ? real(value_.complex_array_value()) : value_.array_value();
      realData_ = const_cast<double*>(real_.data());
    }
    realRead_ = true;
  }
  return realData_;
}

mxLogical* ValueView::logicals() {
  if (classId() != mxLOGICAL_CLASS) return nullptr;
  if (!logicalsRead_) {
    logicals_ = value_.bool_array_value();
    logicalsRead_ = true;
  }
  // One byte each: Octave's bool and the MEX interface's unsigned char.
  return reinterpret_cast<mxLogical*>(const_cast<bool*>(logicals_.data()));
}

const char* ValueView::chars() {
  if (classId() != mxCHAR_CLASS) return nullptr;
  if (!charsRead_) {
    chars_ = value_.char_array_value();
    charsRead_ = true;
  }
  return chars_.data();
}

const std::vector<std::string>& ValueView::fieldNames() const {
  if (!namesRead_ && classId() == mxSTRUCT_CLASS) {
    const string_vector names = value_.map_value().fieldnames();
    for (octave_idx_type k = 0; k < names.numel(); ++k) fieldNames_.push_back(names(k));
  }
  namesRead_ = true;
  return fieldNames_;
}

HostArray* ValueView::field(mwIndex index, const char* name) {
  if (classId() != mxSTRUCT_CLASS || index < 0 || static_cast<std::size_t>(index) >= rows() * columns()) {
    return nullptr;
  }
  const octave_map map = value_.map_value();
  if (!map.isfield(name)) return nullptr;
  return viewOf(map.contents(name)(index));
}

int ValueView::fieldCount() const { return static_cast<int>(fieldNames().size()); }

const char* ValueView::fieldName(int number) const {
  const auto& names = fieldNames();
  return number >= 0 && static_cast<std::size_t>(number) < names.size() ? names[number].c_str() : nullptr;
}

HostArray* ValueView::cell(mwIndex index) {
  if (classId() != mxCELL_CLASS || index < 0 || static_cast<std::size_t>(index) >= rows() * columns()) {
    return nullptr;
  }
  return viewOf(value_.cell_value()(index));
}

// ---- DoubleArray

DoubleArray::DoubleArray(std::vector<mwSize> dims, mxComplexity complexity, Fill fill)
    : HostArray(mxDOUBLE_CLASS, std::move(dims)), complex_(complexity == mxCOMPLEX) {
  const dim_vector dv = dimVector();
  if (fill == Fill::zeros) {
    real_ = NDArray(dv);  // Octave's arrays of doubles start as zeros
  } else {
    // Counted (and refused when too large) before anything is allocated.
    const octave_idx_type count = dv.safe_numel();
    std::allocator<double> allocator;
    double* buffer = allocator.allocate(static_cast<std::size_t>(count));
    try {
      real_ = NDArray(Array<double>(buffer, dv));
    } catch (...) {
      allocator.deallocate(buffer, static_cast<std::size_t>(count));
      throw;
    }
  }
  if (complex_) imag_ = NDArray(dv);
  data_ = real_.fortran_vec();
}

octave_value DoubleArray::value() const {
  if (!complex_) return octave_value(real_);
  ComplexNDArray both(real_.dims());
  for (octave_idx_type i = 0; i < both.numel(); ++i) both.xelem(i) = Complex(real_.xelem(i), imag_.xelem(i));
  return octave_value(both);
}

// ---- LogicalArray and CharArray

LogicalArray::LogicalArray(std::vector<mwSize> dims)
    : HostArray(mxLOGICAL_CLASS, std::move(dims)), bits_(dimVector(), false) {}

mxLogical* LogicalArray::logicals() { return reinterpret_cast<mxLogical*>(bits_.fortran_vec()); }

// An empty text is 0 x 0, as Octave's mxCreateString makes it.
CharArray::CharArray(const char* text)
    : HostArray(mxCHAR_CLASS, {std::strlen(text) == 0 ? 0 : 1, static_cast<mwSize>(std::strlen(text))}),
      chars_(dimVector()) {
  std::copy(text, text + chars_.numel(), chars_.fortran_vec());
}

// ---- ContainerArray

ContainerArray::ContainerArray(std::vector<mwSize> dims, std::vector<std::string> fieldNames)
    : HostArray(mxSTRUCT_CLASS, std::move(dims)), fieldNames_(std::move(fieldNames)) {
  elements_.assign(rows() * columns() * fieldNames_.size(), nullptr);
}

ContainerArray::ContainerArray(std::vector<mwSize> dims) : HostArray(mxCELL_CLASS, std::move(dims)) {
  elements_.assign(rows() * columns(), nullptr);
}

HostArray** ContainerArray::fieldSlot(mwIndex index, const char* name) {
  if (classId() != mxSTRUCT_CLASS || index < 0 || static_cast<std::size_t>(index) >= rows() * columns()) {
    return nullptr;
  }
  for (std::size_t f = 0; f < fieldNames_.size(); ++f) {
    if (fieldNames_[f] == name) return &elements_[static_cast<std::size_t>(index) * fieldNames_.size() + f];
  }
  return nullptr;
}

HostArray** ContainerArray::cellSlot(mwIndex index) {
  if (classId() != mxCELL_CLASS || index < 0 || static_cast<std::size_t>(index) >= elements_.size()) return nullptr;
  return &elements_[static_cast<std::size_t>(index)];
}

HostArray* ContainerArray::field(mwIndex index, const char* name) {
  HostArray** slot = fieldSlot(index, name);
  return slot == nullptr ? nullptr : *slot;
}

const char* ContainerArray::fieldName(int number) const {
  return number >= 0 && static_cast<std::size_t>(number) < fieldNames_.size() ? fieldNames_[number].c_str() : nullptr;
}

HostArray* ContainerArray::cell(mwIndex index) {
  HostArray** slot = cellSlot(index);
  return slot == nullptr ? nullptr : *slot;
}

bool ContainerArray::setField(mwIndex index, const char* name, HostArray* value) {
  HostArray** slot = fieldSlot(index, name);
  if (slot != nullptr) *slot = value;
  return slot != nullptr;
}

bool ContainerArray::setCell(mwIndex index, HostArray* value) {
  HostArray** slot = cellSlot(index);
  if (slot != nullptr) *slot = value;
  return slot != nullptr;
}

void ContainerArray::collectElements(std::vector<HostArray*>& out) const {
  for (HostArray* element : elements_) {
    if (element != nullptr) out.push_back(element);
  }
}

// Elements field, field + stride, field + 2·stride, ... as a cell of the
// array's shape.
Cell ContainerArray::elementValues(std::size_t field, std::size_t stride) const {
  Cell values(dimVector());
  for (octave_idx_type i = 0; i < values.numel(); ++i) {
    const HostArray* element = elements_[static_cast<std::size_t>(i) * stride + field];
    values.xelem(i) = element == nullptr ? octave_value(Matrix()) : element->value();
  }
  return values;
}

octave_value ContainerArray::value() const {
  if (classId() == mxCELL_CLASS) return octave_value(elementValues(0, 1));
  string_vector names(static_cast<octave_idx_type>(fieldNames_.size()));
  for (std::size_t f = 0; f < fieldNames_.size(); ++f) names(static_cast<octave_idx_type>(f)) = fieldNames_[f];
  octave_map map(dimVector(), names);
  for (std::size_t f = 0; f < fieldNames_.size(); ++f) map.setfield(fieldNames_[f], elementValues(f, fieldNames_.size()));
  return octave_value(map);
}

} // namespace rotkit_octave
