;; 説明
(defun c:a (/ x) 1)
