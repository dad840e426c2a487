#pragma once
// Fixture: the shared folder below both siblings.
