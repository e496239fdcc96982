// (empty until written)
namespace qzd {}
