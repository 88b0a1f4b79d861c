// The arrays a gateway sees in an oct-file, over Octave's own values, and
// the call that owns the ones it creates. An argument is a view: its data
// are the caller's (never copied for a real double array, never written).
// A created array holds an Octave array from the start, so handing it back
// to Octave copies nothing. Every array the binding makes during a call
// belongs to that call and is freed when it ends, by return or by error.
#ifndef ROTKIT_HOST_OCTAVE_HOST_ARRAY_H
#define ROTKIT_HOST_OCTAVE_HOST_ARRAY_H

#include "host/octave/array_api.h"

#include <octave/oct.h>
#include <octave/oct-map.h>

#include <memory>
#include <string>
#include <vector>

namespace rotkit_octave {

class ROTKIT_OCTAVE_HIDDEN HostArray {
 public:
  HostArray(const HostArray&) = delete;
  HostArray& operator=(const HostArray&) = delete;
  virtual ~HostArray() = default;

  mxClassID classId() const { return classId_; }
  // At least two dimensions, trailing ones after the second dropped.
  const std::vector<mwSize>& dims() const { return dims_; }
  std::size_t rows() const { return static_cast<std::size_t>(dims_[0]); }
  // The product of every dimension after the first, as mxGetN counts.
  std::size_t columns() const;

  virtual bool isComplex() const { return false; }
  virtual bool isSparse() const { return false; }
  // The data, for the classes that have them; null otherwise.
  virtual double* realParts() { return nullptr; }
  virtual mxLogical* logicals() { return nullptr; }
  virtual const char* chars() { return nullptr; }
  // Struct fields and cell elements: null when the array has no such field
  // or element (or, in one the gateway created, nothing was set there).
  virtual HostArray* field(mwIndex /*index*/, const char* /*name*/) { return nullptr; }
  virtual int fieldCount() const { return 0; }
  virtual const char* fieldName(int /*number*/) const { return nullptr; }
  virtual HostArray* cell(mwIndex /*index*/) { return nullptr; }
  // Sets a field or element of a struct or cell the gateway created; false
  // when the array has no such field or element.
  virtual bool setField(mwIndex /*index*/, const char* /*name*/, HostArray* /*value*/) { return false; }
  virtual bool setCell(mwIndex /*index*/, HostArray* /*value*/) { return false; }
  // The arrays this one holds (a created struct's or cell's elements).
  virtual void collectElements(std::vector<HostArray*>& /*out*/) const {}
  // The array as an Octave value, sharing its data.
  virtual octave_value value() const = 0;

 protected:
  HostArray(mxClassID classId, std::vector<mwSize> dims);
  dim_vector dimVector() const;

 private:
  mxClassID classId_;
  std::vector<mwSize> dims_;
};

// The arrays the binding makes during one gateway call, freed when it ends.
// One call runs at a time per oct-file (Octave's interpreter thread); a call
// started while another runs (none does today) stacks on it.
class ROTKIT_OCTAVE_HIDDEN Call {
 public:
  explicit Call(const char* name);
  Call(const Call&) = delete;
  Call& operator=(const Call&) = delete;
  ~Call();

  // The call running now; null between calls.
  static Call* current();
  const char* name() const { return name_; }

  template <class T, class... Arguments>
  T* make(Arguments&&... arguments) {
    owned_.push_back(std::make_unique<T>(std::forward<Arguments>(arguments)...));
    return static_cast<T*>(owned_.back().get());
  }
  // Frees `a` and every array it holds; an array the call does not own (an
  // argument) is left alone.
  void destroy(HostArray* a);

 private:
  const char* name_;
  Call* outer_;
  std::vector<std::unique_ptr<HostArray>> owned_;
};

// A value the caller passed, or an element or field of one.
class ROTKIT_OCTAVE_HIDDEN ValueView final : public HostArray {
 public:
  explicit ValueView(const octave_value& v);
  bool isComplex() const override { return value_.iscomplex(); }
  bool isSparse() const override { return value_.issparse(); }
  double* realParts() override;
  mxLogical* logicals() override;
  const char* chars() override;
  HostArray* field(mwIndex index, const char* name) override;
  int fieldCount() const override;
  const char* fieldName(int number) const override;
  HostArray* cell(mwIndex index) override;
  octave_value value() const override { return value_; }

 private:
  const std::vector<std::string>& fieldNames() const;

  octave_value value_;
  // Read on first use and kept for the call, so that pointers into them
  // stay valid until it ends.
  bool realRead_ = false;
  double* realData_ = nullptr;
  NDArray real_;
  SparseMatrix sparseReal_;
  bool logicalsRead_ = false;
  boolNDArray logicals_;
  bool charsRead_ = false;
  charNDArray chars_;
  mutable std::vector<std::string> fieldNames_;
  mutable bool namesRead_ = false;
};

// A double array the gateway created: zero-filled, or uninitialised (the
// buffer from std::allocator<double>, adopted by Octave's array, which
// frees it with the same allocator).
class ROTKIT_OCTAVE_HIDDEN DoubleArray final : public HostArray {
 public:
  enum class Fill { zeros, none };
  DoubleArray(std::vector<mwSize> dims, mxComplexity complexity, Fill fill);
  bool isComplex() const override { return complex_; }
  double* realParts() override { return data_; }
  octave_value value() const override;

 private:
  bool complex_;
  NDArray real_;
  NDArray imag_;
  double* data_;
};

class ROTKIT_OCTAVE_HIDDEN LogicalArray final : public HostArray {
 public:
  explicit LogicalArray(std::vector<mwSize> dims);
  mxLogical* logicals() override;
  octave_value value() const override { return octave_value(bits_); }

 private:
  boolNDArray bits_;
};

class ROTKIT_OCTAVE_HIDDEN CharArray final : public HostArray {
 public:
  explicit CharArray(const char* text);
  const char* chars() override { return chars_.data(); }
  octave_value value() const override { return octave_value(chars_, '\''); }

 private:
  charNDArray chars_;
};

// A struct or cell array the gateway created; an element never set is
// an empty double array, [] (0 x 0), as in a MEX file's output.
class ROTKIT_OCTAVE_HIDDEN ContainerArray final : public HostArray {
 public:
  ContainerArray(std::vector<mwSize> dims, std::vector<std::string> fieldNames);  // struct
  explicit ContainerArray(std::vector<mwSize> dims);                              // cell
  HostArray* field(mwIndex index, const char* name) override;
  int fieldCount() const override { return static_cast<int>(fieldNames_.size()); }
  const char* fieldName(int number) const override;
  HostArray* cell(mwIndex index) override;
  bool setField(mwIndex index, const char* name, HostArray* value) override;
  bool setCell(mwIndex index, HostArray* value) override;
  void collectElements(std::vector<HostArray*>& out) const override;
  octave_value value() const override;

 private:
  // The slot of field `name` of element `index`, or null.
  HostArray** fieldSlot(mwIndex index, const char* name);
  HostArray** cellSlot(mwIndex index);
  Cell elementValues(std::size_t field, std::size_t stride) const;

  std::vector<std::string> fieldNames_;
  std::vector<HostArray*> elements_;  // struct: element-major, a field each
};

} // namespace rotkit_octave

#endif
